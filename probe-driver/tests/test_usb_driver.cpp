// The USB side of probe-usb-driver against the simulated bus.
#include <libusb.h>

#include <cstring>
#include <string>
#include <vector>

#include "check.h"
#include "probe_request.h"
#include "probe_ids.h"
#include "probix/probe_usb_driver.h"
#include "simbus.h"

using probix_ids::kOldModelId;
using probix_ids::kProductIds;
using probix_ids::kSecondInterfaceId;
using probix_ids::kVendorId;

namespace {

uint16_t plain_model() {
  for (uint16_t pid : kProductIds)
    if (pid != kOldModelId && pid != kSecondInterfaceId) return pid;
  return 0;
}

simbus::ProbeSpec probe(uint8_t address, std::string serial, uint16_t pid = plain_model(), uint8_t bus = 1) {
  simbus::ProbeSpec s;
  s.bus = bus;
  s.address = address;
  s.vendorId = kVendorId;
  s.productId = pid;
  s.serial = std::move(serial);
  if (pid == kSecondInterfaceId) s.secondInterface = s.secondIn = true;
  return s;
}

std::string serial_of(TEnumProbixInterface kind, uint8_t index) {
  TDeviceInfo info;
  if (Probix_GetDeviceInfo(kind, index, &info, sizeof info) != PROBE_OK) return "<none>";
  return info.enumUniqueId;
}

const std::string kSerial24 = "PRBX0123456789ABCDEFGHIJ";

void fresh() {
  Probix_FreeLibrary();
  simbus::reset();
}

TProbixHandle open_ok(TEnumProbixInterface kind, uint8_t index) {
  TProbixHandle h = PROBIX_NO_HANDLE;
  CHECK_EQ(Probix_OpenDevice(kind, index, 0, &h), PROBE_OK);
  return h;
}

}  // namespace

TEST(enumerate_accepts_the_six_models_and_nothing_else) {
  for (unsigned i = 0; i < 6; ++i) simbus::plug(probe(uint8_t(10 + i), kSerial24, kProductIds[i]));
  simbus::ProbeSpec foreignVendor = probe(20, kSerial24);
  foreignVendor.vendorId = uint16_t(kVendorId ^ 0x0101);
  simbus::plug(foreignVendor);
  simbus::ProbeSpec foreignProduct = probe(21, kSerial24, 0x0001);
  simbus::plug(foreignProduct);

  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 6u);
  CHECK_EQ(simbus::log_level(), int(LIBUSB_LOG_LEVEL_INFO));
  CHECK_EQ(Probix_Reenumerate(1, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(1), 1u);
  CHECK_EQ(Probix_GetNbDevices(7), 0u);
  CHECK_EQ(Probix_Reenumerate(2, 0), PROBE_BAD_PARAMETER);

  TDeviceInfo info;
  std::memset(&info, 0x5A, sizeof info);
  CHECK_EQ(Probix_GetDeviceInfo(1, 0, &info, sizeof info), PROBE_OK);
  CHECK_EQ(info.productId, kSecondInterfaceId);
  CHECK_EQ(info.vendorId, kVendorId);
  CHECK_EQ(std::string(info.enumUniqueId), kSerial24);
  CHECK_EQ(info.devPath[0], 0);
  CHECK_EQ(info.deviceUsed, 0);
  for (unsigned i = 0; i < 6; ++i) {
    CHECK_EQ(Probix_GetDeviceInfo(0, uint8_t(i), &info, sizeof info), PROBE_OK);
    CHECK_EQ(info.productId, kProductIds[i]);
  }
  // Reading serials opens each probe once and closes it again.
  CHECK_EQ(simbus::open_handles(), 0);
  CHECK_EQ(simbus::contexts_created(), 1);
}

TEST(enumerate_converts_serial_descriptors) {
  std::string raw12 = {'\x00', '\x1a', '\xff', 'A', '\x10', '\x7f', '\x80', '\x01', '\x02', '\x03', '\x04', '\xfe'};
  struct Row {
    simbus::ProbeSpec spec;
    std::string serial;
  } rows[] = {
      {probe(1, raw12), "001AFF41107F8001020304FE"},
      {probe(2, kSerial24), kSerial24},
      {probe(3, "SHORT-SERIAL-16C"), "Unexpected_SN_Format"},
      {probe(4, std::string(31, 'x')), "Unexpected_SN_Format"},
      {probe(5, ""), "Unexpected_SN_Format"},
  };
  rows[4].spec.serialRequestFails = true;
  rows[4].serial = "Cant_get_SN";
  for (auto& r : rows) simbus::plug(r.spec);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 5u);
  for (uint8_t i = 0; i < 5; ++i) CHECK_EQ(serial_of(0, i), rows[i].serial);
}

TEST(enumerate_lists_probes_that_cannot_be_opened) {
  simbus::plug(probe(1, kSerial24));
  simbus::ProbeSpec denied = probe(2, kSerial24);
  denied.openError = LIBUSB_ERROR_ACCESS;
  simbus::plug(denied);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_ACCESS_DENIED);
  CHECK_EQ(Probix_GetNbDevices(0), 2u);
  CHECK_EQ(serial_of(0, 0), kSerial24);
  CHECK_EQ(serial_of(0, 1), std::string());
  TProbixHandle h = PROBIX_NO_HANDLE;
  CHECK_EQ(Probix_OpenDevice(0, 1, 0, &h), PROBE_ACCESS_DENIED);

  fresh();
  simbus::ProbeSpec broken = probe(3, kSerial24);
  broken.openError = LIBUSB_ERROR_IO;
  simbus::plug(broken);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_USB_ERROR);
  CHECK_EQ(Probix_GetNbDevices(0), 1u);
  CHECK_EQ(serial_of(0, 0), std::string());
  CHECK_EQ(Probix_OpenDevice(0, 0, 0, &h), PROBE_USB_ERROR);

  fresh();
  simbus::set_init_fails(true);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_USB_ERROR);
  CHECK_EQ(Probix_GetNbDevices(0), 0u);
}

TEST(reenumerate_keeps_present_probes_and_drops_those_that_left) {
  int a = simbus::plug(probe(1, "A" + kSerial24.substr(1)));
  int b = simbus::plug(probe(2, "B" + kSerial24.substr(1)));
  int c = simbus::plug(probe(3, "C" + kSerial24.substr(1)));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  TProbixHandle ha = open_ok(0, 0);
  TProbixHandle hb = open_ok(0, 1);
  CHECK_EQ(simbus::open_handles(), 2);

  simbus::unplug(b);
  simbus::replug(c, 1, 9);  // back at another address: a new probe to the table
  int d = simbus::plug(probe(4, "D" + kSerial24.substr(1)));
  (void)d;
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 3u);
  CHECK_EQ(serial_of(0, 0)[0], 'A');
  CHECK_EQ(serial_of(0, 1)[0], 'C');
  CHECK_EQ(serial_of(0, 2)[0], 'D');
  // A keeps its open handle and still works; B was closed and forgotten.
  CHECK_EQ(open_ok(0, 0), ha);
  uint8_t data[8];
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x33, data, sizeof data);
  CHECK_EQ(Probix_SendCommand(ha, &rq, 100), PROBE_OK);
  CHECK_EQ(Probix_SendCommand(hb, &rq, 100), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDevice(hb), PROBE_BAD_PARAMETER);
  CHECK_EQ(simbus::open_handles(), 1);

  // Back at the same address: the record (and handle) stay; the old USB
  // handle now belongs to a device that is gone, so commands fail until the
  // probe is closed and opened again.
  simbus::replug(a, 1, 1);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 3u);
  CHECK_EQ(open_ok(0, 0), ha);
  CHECK_EQ(Probix_SendCommand(ha, &rq, 100), PROBE_TRANSFER_ERROR);
  CHECK_EQ(Probix_CloseDevice(ha), PROBE_OK);
  TProbixHandle again = open_ok(0, 0);
  CHECK_EQ(Probix_SendCommand(again, &rq, 100), PROBE_OK);

  // Clearing closes everything and starts from an empty table.
  CHECK_EQ(Probix_Reenumerate(0, 1), PROBE_OK);
  CHECK_EQ(simbus::open_handles(), 0);
  CHECK_EQ(Probix_GetNbDevices(0), 3u);
  CHECK_EQ(Probix_SendCommand(again, &rq, 100), PROBE_BAD_PARAMETER);

  // Everything unplugged: an empty bus empties the table.
  simbus::reset();
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 0u);
  CHECK_EQ(simbus::live_device_objects(), 0);
}

TEST(reenumerate_tells_apart_probes_with_one_address_on_two_buses) {
  simbus::plug(probe(5, "X" + kSerial24.substr(1), plain_model(), 1));
  simbus::plug(probe(5, "Y" + kSerial24.substr(1), plain_model(), 2));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 2u);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 2u);
  CHECK_EQ(serial_of(0, 0)[0], 'X');
  CHECK_EQ(serial_of(0, 1)[0], 'Y');
}

TEST(table_holds_26_probes) {
  for (int i = 0; i < 27; ++i) simbus::plug(probe(uint8_t(i + 1), std::string(24, char('a' + i % 26))));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 26u);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 26u);
  CHECK_EQ(serial_of(0, 25), std::string(24, 'z'));
  TDeviceInfo2 info;
  CHECK_EQ(Probix_GetDeviceInfo2(0, 26, &info, sizeof info), PROBE_BAD_PARAMETER);
}

TEST(get_device_info_sizes) {
  simbus::plug(probe(1, kSerial24));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  struct Row {
    uint32_t size;
    uint32_t status;
  } rows[] = {{4133, PROBE_OK}, {5000, PROBE_RECORD_TOO_LARGE}, {296, PROBE_OK}, {295, PROBE_BAD_PARAMETER},
              {200, PROBE_BAD_PARAMETER}, {0, PROBE_BAD_PARAMETER}};
  for (const Row& r : rows) {
    std::vector<uint8_t> buf(6000, 0xEE);
    CHECK_EQ(Probix_GetDeviceInfo(0, 0, reinterpret_cast<TDeviceInfo*>(buf.data()), r.size), r.status);
    uint32_t copied = std::min<uint32_t>(r.size, 4133);
    if (copied > 4096 + 24) CHECK(std::memcmp(&buf[4096], kSerial24.data(), 24) == 0);
    for (uint32_t i = copied; i < r.size; ++i)
      if (!CHECK_EQ(buf[i], 0)) break;
    for (uint32_t i = r.size; i < buf.size(); ++i)
      if (!CHECK_EQ(buf[i], 0xEE)) break;
  }
  TDeviceInfo info;
  CHECK_EQ(Probix_GetDeviceInfo(2, 0, &info, sizeof info), PROBE_NOT_SUPPORTED);
  CHECK_EQ(Probix_GetDeviceInfo(3, 0, &info, sizeof info), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_GetDeviceInfo(0, 1, &info, sizeof info), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_GetDeviceInfo(0, 0, nullptr, sizeof info), PROBE_BAD_PARAMETER);
}

TEST(get_device_info2_sizes) {
  simbus::plug(probe(1, kSerial24));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  struct Row {
    uint32_t size;
    uint32_t status;
  } rows[] = {{41, PROBE_OK}, {42, PROBE_RECORD_TOO_LARGE}, {100, PROBE_RECORD_TOO_LARGE},
              {20, PROBE_OK}, {1, PROBE_OK}, {0, PROBE_OK}};
  for (const Row& r : rows) {
    std::vector<uint8_t> buf(128, 0xEE);
    CHECK_EQ(Probix_GetDeviceInfo2(0, 0, reinterpret_cast<TDeviceInfo2*>(buf.data()), r.size), r.status);
    TDeviceInfo2 expect{};
    std::memcpy(expect.enumUniqueId, kSerial24.data(), 24);
    expect.vendorId = kVendorId;
    expect.productId = plain_model();
    uint32_t copied = std::min<uint32_t>(r.size, 41);
    CHECK(std::memcmp(buf.data(), &expect, copied) == 0);
    for (uint32_t i = copied; i < r.size; ++i)
      if (!CHECK_EQ(buf[i], 0)) break;
    // Nothing past the caller's record is touched.
    for (uint32_t i = r.size; i < buf.size(); ++i)
      if (!CHECK_EQ(buf[i], 0xEE)) break;
  }
  TDeviceInfo2 info;
  CHECK_EQ(Probix_GetDeviceInfo2(3, 0, &info, 41), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_GetDeviceInfo2(0, 0, nullptr, 41), PROBE_BAD_PARAMETER);
}

TEST(open_and_close) {
  simbus::plug(probe(1, kSerial24));
  simbus::plug(probe(2, kSerial24, kOldModelId));
  simbus::ProbeSpec busy = probe(3, kSerial24);
  busy.claimFails = true;
  simbus::plug(busy);
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);

  TProbixHandle h = open_ok(0, 0);
  CHECK(h != PROBIX_NO_HANDLE);
  CHECK_EQ(open_ok(0, 0), h);
  CHECK_EQ(simbus::open_handles(), 1);
  CHECK_EQ(simbus::claimed_interfaces(), 1);

  TProbixHandle other = PROBIX_NO_HANDLE;
  CHECK_EQ(Probix_OpenDevice(0, 1, 0, &other), PROBE_MODEL_NOT_SUPPORTED);
  CHECK_EQ(Probix_OpenDevice(0, 2, 0, &other), PROBE_USB_ERROR);
  CHECK_EQ(simbus::open_handles(), 1);
  CHECK_EQ(Probix_OpenDevice(0, 3, 0, &other), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_OpenDevice(2, 0, 0, &other), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_OpenDevice(0, 0, 0, nullptr), PROBE_BAD_PARAMETER);

  CHECK_EQ(Probix_CloseDevice(h), PROBE_OK);
  CHECK_EQ(simbus::open_handles(), 0);
  CHECK_EQ(simbus::claimed_interfaces(), 0);
  CHECK_EQ(Probix_CloseDevice(h), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDevice(PROBIX_NO_HANDLE), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDevice(12345), PROBE_BAD_PARAMETER);
}

TEST(commands_move_command_and_data_on_the_right_endpoints) {
  int dev = simbus::plug(probe(1, kSerial24));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  TProbixHandle h = open_ok(0, 0);

  // Write: command then data on the OUT endpoint; read back through LOAD.
  std::vector<uint8_t> payload(300);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(i * 7);
  TDeviceRequest store = request(PROBIX_ACCESS_WRITE, simbus::kCmdStore, payload.data(), uint32_t(payload.size()));
  store.cdb[1] = uint8_t(payload.size());
  store.cdb[2] = uint8_t(payload.size() >> 8);
  simbus::clear_transfers();
  CHECK_EQ(Probix_SendCommand(h, &store, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers().size(), size_t(2));
  CHECK_EQ(simbus::transfers()[0].endpoint, 0x01);
  CHECK_EQ(simbus::transfers()[0].data.size(), size_t(16));
  CHECK_EQ(simbus::transfers()[1].endpoint, 0x01);
  CHECK(simbus::stored_data(dev, 0) == payload);

  std::vector<uint8_t> back(300, 0);
  TDeviceRequest load = request(PROBIX_ACCESS_READ, simbus::kCmdLoad, back.data(), 300);
  CHECK_EQ(Probix_SendCommand(h, &load, 100), PROBE_OK);
  CHECK(back == payload);
  CHECK_EQ(simbus::transfers().back().endpoint, 0x81);

  // Any access type other than 0 and 3 reads from the first IN endpoint.
  uint8_t in[4] = {};
  TDeviceRequest other = request(7, 0x40, in, 4);
  CHECK_EQ(Probix_SendCommand(h, &other, 100), PROBE_OK);
  CHECK_EQ(in[3], 0x43);

  // No data phase: only the command goes out.
  simbus::clear_transfers();
  TDeviceRequest bare = request(PROBIX_ACCESS_READ, 0x50, nullptr, 0);
  CHECK_EQ(Probix_SendCommand(h, &bare, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers().size(), size_t(1));

  // Access type 3 needs the second IN endpoint, which this model lacks.
  simbus::clear_transfers();
  TDeviceRequest trace = request(PROBIX_ACCESS_READ_2, 0, in, 4);
  CHECK_EQ(Probix_SendCommand(h, &trace, 100), PROBE_NOT_SUPPORTED);
  CHECK(simbus::transfers().empty());

  TDeviceRequest nullBuffer = request(PROBIX_ACCESS_READ, 0x50, nullptr, 4);
  CHECK_EQ(Probix_SendCommand(h, &nullBuffer, 100), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_SendCommand(h, nullptr, 100), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDevice(h), PROBE_OK);
  CHECK_EQ(Probix_SendCommand(h, &bare, 100), PROBE_BAD_PARAMETER);
}

TEST(commands_report_transfer_faults) {
  int dev = simbus::plug(probe(1, kSerial24));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  TProbixHandle h = open_ok(0, 0);
  uint8_t in[64];
  struct Row {
    std::vector<simbus::Fault> faults;
    uint32_t status;
    size_t transfers;  // how many transfers were attempted
  } rows[] = {
      {{simbus::Fault::Timeout}, PROBE_TIMEOUT, 1},
      {{simbus::Fault::TimeoutAfterHalf}, PROBE_TIMEOUT, 1},
      {{simbus::Fault::Short}, PROBE_TRANSFER_ERROR, 1},
      {{simbus::Fault::IoError}, PROBE_TRANSFER_ERROR, 1},
      {{}, PROBE_OK, 2},
  };
  for (auto& r : rows) {
    for (auto f : r.faults) simbus::queue_fault(dev, f);
    simbus::clear_transfers();
    TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x11, in, sizeof in);
    CHECK_EQ(Probix_SendCommand(h, &rq, 100), r.status);
    CHECK_EQ(simbus::transfers().size(), r.transfers);
  }
  // Faults in the data phase, after a good command phase, in both directions.
  struct DataRow {
    uint8_t accessType;
    simbus::Fault fault;
    uint32_t status;
  } dataRows[] = {{PROBIX_ACCESS_READ, simbus::Fault::Short, PROBE_TRANSFER_ERROR},
                  {PROBIX_ACCESS_READ, simbus::Fault::Timeout, PROBE_TIMEOUT},
                  {PROBIX_ACCESS_WRITE, simbus::Fault::Short, PROBE_TRANSFER_ERROR},
                  {PROBIX_ACCESS_WRITE, simbus::Fault::IoError, PROBE_TRANSFER_ERROR}};
  for (const DataRow& r : dataRows) {
    simbus::queue_fault(dev, simbus::Fault::Pass);
    simbus::queue_fault(dev, r.fault);
    simbus::clear_transfers();
    TDeviceRequest rq = request(r.accessType, 0x11, in, sizeof in);
    CHECK_EQ(Probix_SendCommand(h, &rq, 100), r.status);
    CHECK_EQ(simbus::transfers().size(), size_t(2));
  }
}

TEST(second_interface_has_its_own_endpoints) {
  int dev = simbus::plug(probe(1, kSerial24, kSecondInterfaceId));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_Reenumerate(1, 0), PROBE_OK);
  TProbixHandle h0 = open_ok(0, 0);
  TProbixHandle h1 = open_ok(1, 0);
  CHECK(h0 != h1);
  CHECK_EQ(simbus::claimed_interfaces(), 2);

  uint8_t in[8] = {};
  simbus::clear_transfers();
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x21, in, sizeof in);
  CHECK_EQ(Probix_SendCommand(h1, &rq, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers()[0].endpoint, 0x03);
  CHECK_EQ(simbus::transfers()[1].endpoint, 0x83);

  // Access type 3: the second IN stream only, with no command phase.
  simbus::clear_transfers();
  TDeviceRequest trace = request(PROBIX_ACCESS_READ_2, 0, in, sizeof in);
  CHECK_EQ(Probix_SendCommand(h0, &trace, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers().size(), size_t(1));
  CHECK_EQ(simbus::transfers()[0].endpoint, 0x82);
  CHECK_EQ(in[7], 7);
  CHECK_EQ(Probix_SendCommand(h1, &trace, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers().back().endpoint, 0x84);
  (void)dev;

  CHECK_EQ(Probix_CloseDevice(h0), PROBE_OK);
  CHECK_EQ(Probix_CloseDevice(h1), PROBE_OK);
  CHECK_EQ(simbus::open_handles(), 0);
}

TEST(second_interface_model_without_that_interface_opens_unclaimed) {
  simbus::ProbeSpec odd = probe(1, kSerial24, kSecondInterfaceId);
  odd.secondInterface = false;
  simbus::plug(odd);
  CHECK_EQ(Probix_Reenumerate(1, 0), PROBE_OK);
  TProbixHandle h = open_ok(1, 0);
  CHECK_EQ(simbus::claimed_interfaces(), 0);
  uint8_t in[4];
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x21, in, sizeof in);
  CHECK_EQ(Probix_SendCommand(h, &rq, 100), PROBE_TRANSFER_ERROR);
  CHECK_EQ(Probix_CloseDevice(h), PROBE_OK);
  CHECK_EQ(simbus::open_handles(), 0);
}

TEST(mass_storage_style_entry_points) {
  simbus::plug(probe(1, kSerial24));
  simbus::plug(probe(2, kSerial24, kSecondInterfaceId));
  CHECK_EQ(OrvaneMass_Enum_Reenumerate(), PROBE_OK);
  CHECK_EQ(OrvaneMass_Enum_GetNbDevices(), 2u);
  TProbixDevice* dev = nullptr;
  CHECK_EQ(OrvaneMass_Enum_GetDevice(2, &dev), PROBE_BAD_PARAMETER);
  CHECK_EQ(OrvaneMass_Enum_GetDevice(1, &dev), PROBE_OK);
  CHECK(dev != nullptr);

  uint8_t one = 0;
  uint16_t id = 0;
  struct Row {
    TProbixDevice* device;
    uint32_t info;
    void* buffer;
    uint32_t size;
    uint32_t status;
  } rows[] = {
      {dev, PROBIX_INFO_IS_PROBE, &one, 1, PROBE_OK},
      {dev, PROBIX_INFO_IS_PROBE, &one, 2, PROBE_BAD_INFO_SIZE},
      {dev, PROBIX_INFO_VENDOR_ID, &id, 2, PROBE_OK},
      {dev, PROBIX_INFO_VENDOR_ID, &id, 4, PROBE_BAD_INFO_SIZE},
      {dev, PROBIX_INFO_PRODUCT_ID, &id, 1, PROBE_BAD_INFO_SIZE},
      {dev, 1001, &id, 2, PROBE_UNKNOWN_INFO},
      {nullptr, PROBIX_INFO_VENDOR_ID, &id, 2, PROBE_UNKNOWN_INFO},
      {dev, PROBIX_INFO_VENDOR_ID, nullptr, 2, PROBE_BAD_PARAMETER},
  };
  for (const Row& r : rows) CHECK_EQ(OrvaneMass_GetDeviceInfo(r.device, r.info, r.buffer, r.size), r.status);
  CHECK_EQ(one, 1);
  CHECK_EQ(OrvaneMass_GetDeviceInfo(dev, PROBIX_INFO_PRODUCT_ID, &id, 2), PROBE_OK);
  CHECK_EQ(id, kSecondInterfaceId);

  // The mass-storage open always uses interface 0, even on the two-interface model.
  TProbixHandle h = PROBIX_NO_HANDLE, again = PROBIX_NO_HANDLE;
  CHECK_EQ(OrvaneMass_OpenDevice(dev, &h), PROBE_OK);
  CHECK_EQ(OrvaneMass_OpenDeviceExclusive(dev, &again), PROBE_OK);
  CHECK_EQ(again, h);
  uint8_t in[4];
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x30, in, 4);
  simbus::clear_transfers();
  CHECK_EQ(OrvaneMass_SendCommand(nullptr, h, &rq, 100), PROBE_OK);
  CHECK_EQ(simbus::transfers().back().endpoint, 0x81);
  CHECK_EQ(OrvaneMass_CloseDevice(nullptr, h), PROBE_OK);
  CHECK_EQ(OrvaneMass_CloseDevice(nullptr, h), PROBE_BAD_PARAMETER);

  // A reference to a probe that has since left is refused, not followed.
  simbus::reset();
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(OrvaneMass_GetDeviceInfo(dev, PROBIX_INFO_VENDOR_ID, &id, 2), PROBE_UNKNOWN_INFO);
  CHECK_EQ(OrvaneMass_OpenDevice(dev, &h), PROBE_BAD_PARAMETER);
}

TEST(free_library_closes_everything_and_releases_libusb) {
  simbus::plug(probe(1, kSerial24));
  simbus::plug(probe(2, kSerial24, kSecondInterfaceId));
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_Reenumerate(1, 0), PROBE_OK);
  open_ok(0, 0);
  open_ok(0, 1);
  open_ok(1, 0);
  CHECK_EQ(simbus::open_handles(), 3);
  CHECK_EQ(Probix_FreeLibrary(), PROBE_OK);
  CHECK_EQ(simbus::open_handles(), 0);
  CHECK(!simbus::context_alive());
  CHECK_EQ(Probix_GetNbDevices(0), 0u);
  CHECK_EQ(Probix_GetNbDevices(1), 0u);
  CHECK_EQ(Probix_FreeLibrary(), PROBE_OK);
  // Usable again afterwards, with a new context.
  CHECK_EQ(Probix_Reenumerate(0, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(0), 2u);
  CHECK(simbus::context_alive());
  Probix_FreeLibrary();
  simbus::reset();
  CHECK_EQ(simbus::live_device_objects(), 0);
}

int main(int argc, char** argv) { return check::run(argc, argv, fresh); }
