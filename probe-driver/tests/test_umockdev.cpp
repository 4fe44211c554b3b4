// The product library with the real libusb against an emulated kernel USB
// device: umockdev provides the sysfs entry and the /dev/bus/usb node, and
// replays a usbmon capture (written here) for the usbdevfs URBs. The capture
// is replayed in order and the OUT data the library submits must match it.
// Run under umockdev-wrapper; needs no root.
#include <umockdev.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "check.h"
#include "probe_ids.h"
#include "probix/probe_usb_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t kBus = 1;
constexpr uint8_t kAddress = 5;

// A usbmon capture (pcap, link type 220: Linux USB with the 64-byte header).
struct Capture {
  Bytes out;
  uint64_t urb = 0x100;
  uint32_t usec = 0;
  template <class T>
  void le(T v) {
    for (size_t i = 0; i < sizeof v; ++i) out.push_back(uint8_t(uint64_t(v) >> (8 * i)));
  }
  Capture() {
    le<uint32_t>(0xa1b2c3d4);
    le<uint16_t>(2);
    le<uint16_t>(4);
    le<int32_t>(0);
    le<uint32_t>(0);
    le<uint32_t>(65535);
    le<uint32_t>(220);
  }
  void packet(char type, uint8_t xferType, uint8_t endpoint, const uint8_t* setup, int32_t status, uint32_t length,
              const Bytes& data, uint64_t id) {
    usec += 500;
    uint32_t size = 64 + uint32_t(data.size());
    le<uint32_t>(1);
    le<uint32_t>(usec);
    le<uint32_t>(size);
    le<uint32_t>(size);
    le<uint64_t>(id);
    out.push_back(uint8_t(type));
    out.push_back(xferType);
    out.push_back(endpoint);
    out.push_back(kAddress);
    le<uint16_t>(kBus);
    out.push_back(setup ? 0 : '-');
    out.push_back(data.empty() ? (type == 'S' ? '<' : '>') : 0);
    le<int64_t>(1);
    le<int32_t>(int32_t(usec));
    le<int32_t>(status);
    le<uint32_t>(length);
    le<uint32_t>(uint32_t(data.size()));
    for (int i = 0; i < 8; ++i) out.push_back(setup ? setup[i] : 0);
    le<int32_t>(0);
    le<int32_t>(0);
    le<uint32_t>(0);
    le<uint32_t>(0);
    out.insert(out.end(), data.begin(), data.end());
  }
  void control_in(const uint8_t setup[8], const Bytes& reply) {
    uint64_t id = urb++;
    packet('S', 2, 0x80, setup, -115, uint32_t(setup[6] | setup[7] << 8), {}, id);
    packet('C', 2, 0x80, nullptr, 0, uint32_t(reply.size()), reply, id);
  }
  void bulk_out(uint8_t ep, const Bytes& d) {
    uint64_t id = urb++;
    packet('S', 3, ep, nullptr, -115, uint32_t(d.size()), d, id);
    packet('C', 3, ep, nullptr, 0, uint32_t(d.size()), {}, id);
  }
  void bulk_in(uint8_t ep, uint32_t asked, const Bytes& d) {
    uint64_t id = urb++;
    packet('S', 3, ep, nullptr, -115, asked, {}, id);
    packet('C', 3, ep, nullptr, 0, uint32_t(d.size()), d, id);
  }
};

std::string hex(const Bytes& b) {
  std::string s;
  char two[3];
  for (uint8_t v : b) {
    std::snprintf(two, sizeof two, "%02X", v);
    s += two;
  }
  return s;
}

uint16_t plain_model() {
  for (uint16_t pid : probix_ids::kProductIds)
    if (pid != probix_ids::kOldModelId && pid != probix_ids::kSecondInterfaceId) return pid;
  return 0;
}

const Bytes kSerialLowBytes = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F, 0x60, 0x71, 0x82, 0x93, 0xA4, 0xB5};

}  // namespace

TEST(umockdev_enumerate_open_claim_and_bulk_both_ways) {
  const char* preload = std::getenv("LD_PRELOAD");
  if (!CHECK(preload && std::strstr(preload, "umockdev-preload"))) {
    std::printf("  run this test under umockdev-wrapper\n");
    return;
  }
  UMockdevTestbed* bed = umockdev_testbed_new();
  const uint16_t vid = probix_ids::kVendorId, pid = plain_model();
  // Device, configuration, interface 0 and its endpoints: first IN, then OUT.
  Bytes descriptors = {18, 1, 0x00, 0x02, 0, 0, 0, 64, uint8_t(vid), uint8_t(vid >> 8), uint8_t(pid), uint8_t(pid >> 8),
                       0x00, 0x01, 1, 2, 3, 1,
                       9, 2, 32, 0, 1, 1, 0, 0x80, 50,
                       9, 4, 0, 0, 2, 0xFF, 0, 0, 0,
                       7, 5, 0x81, 2, 64, 0, 0,
                       7, 5, 0x01, 2, 64, 0, 0};
  char busDev[32];
  std::snprintf(busDev, sizeof busDev, "bus/usb/%03u/%03u", kBus, kAddress);
  std::string description = "P: /devices/pci0000:00/0000:00:14.0/usb1/1-2\nN: " + std::string(busDev) +
                            "\nE: DEVNAME=/dev/" + busDev +
                            "\nE: DEVTYPE=usb_device\nE: SUBSYSTEM=usb\nE: BUSNUM=001\nE: DEVNUM=005\n"
                            "A: busnum=1\nA: devnum=5\nA: speed=480\nA: bConfigurationValue=1\n"
                            "A: bNumConfigurations=1\nH: descriptors=" + hex(descriptors) + "\n";
  GError* error = nullptr;
  if (!CHECK(umockdev_testbed_add_from_string(bed, description.c_str(), &error))) {
    std::printf("  %s\n", error ? error->message : "?");
    return;
  }

  // What the library does, in order: read the serial number during
  // enumeration, then (after open and claim) one read and one write command.
  Capture cap;
  const uint8_t serialRequest[8] = {0x80, 6, 0x03, 0x03, 0x09, 0x04, 50, 0};
  Bytes serial = {26, 3};
  for (uint8_t b : kSerialLowBytes) serial.insert(serial.end(), {b, 0});
  cap.control_in(serialRequest, serial);
  Bytes readCmd(16, 0);
  readCmd[0] = 0xF1;
  readCmd[1] = 0x40;
  Bytes reply(64);
  for (int i = 0; i < 64; ++i) reply[i] = uint8_t(0xC0 ^ i);
  cap.bulk_out(0x01, readCmd);
  cap.bulk_in(0x81, 64, reply);
  Bytes writeCmd(16, 0);
  writeCmd[0] = 0xF2;
  writeCmd[1] = 32;
  Bytes writeData(32);
  for (int i = 0; i < 32; ++i) writeData[i] = uint8_t(3 * i + 1);
  cap.bulk_out(0x01, writeCmd);
  cap.bulk_out(0x01, writeData);
  std::string capturePath = std::string(umockdev_testbed_get_root_dir(bed)) + "/probe.pcap";
  FILE* f = std::fopen(capturePath.c_str(), "wb");
  CHECK(f != nullptr);
  if (!f) return;
  std::fwrite(cap.out.data(), 1, cap.out.size(), f);
  std::fclose(f);
  if (!CHECK(umockdev_testbed_load_pcap(bed, "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-2", capturePath.c_str(),
                                        &error))) {
    std::printf("  %s\n", error ? error->message : "?");
    return;
  }

  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 1u);
  TDeviceInfo info;
  CHECK_EQ(Probix_GetDeviceInfo(0, 0, &info, sizeof info), PROBE_OK);
  CHECK_EQ(std::string(info.enumUniqueId), std::string("0A1B2C3D4E5F60718293A4B5"));
  CHECK_EQ(info.vendorId, vid);
  CHECK_EQ(info.productId, pid);

  TProbixHandle h = PROBIX_NO_HANDLE;
  CHECK_EQ(Probix_OpenDevice(0, 0, 0, &h), PROBE_OK);
  Bytes in(64, 0);
  TDeviceRequest rq{};
  std::copy(readCmd.begin(), readCmd.end(), rq.cdb);
  rq.accessType = PROBIX_ACCESS_READ;
  rq.buffer = in.data();
  rq.bufferLength = 64;
  CHECK_EQ(Probix_SendCommand(h, &rq, 2000), PROBE_OK);
  CHECK(in == reply);

  TDeviceRequest wr{};
  std::copy(writeCmd.begin(), writeCmd.end(), wr.cdb);
  wr.accessType = PROBIX_ACCESS_WRITE;
  wr.buffer = writeData.data();
  wr.bufferLength = 32;
  CHECK_EQ(Probix_SendCommand(h, &wr, 2000), PROBE_OK);
  CHECK_EQ(Probix_CloseDevice(h), PROBE_OK);
  CHECK_EQ(Probix_FreeLibrary(), PROBE_OK);
  g_object_unref(bed);
}

int main(int argc, char** argv) { return check::run(argc, argv); }
