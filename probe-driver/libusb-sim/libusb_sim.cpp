// The libusb-1.0 functions used by the driver, implemented over the simulated
// bus of simbus.h. Prototypes come from the real <libusb.h>, so any drift
// between the two is a compile error.
#include <libusb.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <sstream>

#include "simbus.h"

struct libusb_context {
  int logLevel = 0;
};

struct SimProbe;

struct libusb_device {
  int refs = 0;
  SimProbe* probe = nullptr;  // null once unplugged
  uint8_t bus = 0;
  uint8_t address = 0;
};

struct InterfaceState {
  std::vector<uint8_t> stored;
  uint32_t pendingStore = 0;
  bool loadNext = false;
  uint8_t lastCommand = 0;
  uint8_t traceCounter = 0;
};

struct SimProbe {
  int id = 0;
  simbus::ProbeSpec spec;
  libusb_device* device = nullptr;
  std::deque<simbus::Fault> faults;
  InterfaceState interfaces[2];
};

struct libusb_device_handle {
  libusb_device* device = nullptr;
  bool claimed[2] = {false, false};
};

namespace {

struct Bus {
  std::map<int, std::unique_ptr<SimProbe>> probes;
  int nextId = 1;
  bool configured = false;
  bool initFails = false;
  libusb_context* context = nullptr;
  int contextsCreated = 0;
  int openHandles = 0;
  int liveDevices = 0;
  int claimed = 0;
  int controlTransfers = 0;
  int lastLogLevel = 0;
  std::vector<simbus::Transfer> log;
};

Bus& bus() {
  static Bus b;
  return b;
}

[[noreturn]] void misuse(const char* what) {
  std::fprintf(stderr, "simulated libusb: misuse: %s\n", what);
  std::abort();
}

libusb_device* new_device(SimProbe* p) {
  auto* d = new libusb_device;
  d->refs = 1;  // the bus holds one reference while the device is attached
  d->probe = p;
  d->bus = p->spec.bus;
  d->address = p->spec.address;
  ++bus().liveDevices;
  return d;
}

void detach(SimProbe* p) {
  if (!p->device) return;
  p->device->probe = nullptr;
  libusb_unref_device(p->device);
  p->device = nullptr;
}

unsigned parse_hex(const std::string& s) { return static_cast<unsigned>(std::strtoul(s.c_str(), nullptr, 16)); }

void configure_from_environment() {
  const char* text = std::getenv("LIBUSB_SIM_DEVICES");
  if (!text) return;
  std::stringstream all(text);
  std::string entry;
  while (std::getline(all, entry, ';')) {
    std::vector<std::string> f;
    std::stringstream fields(entry);
    std::string field;
    while (std::getline(fields, field, ':')) f.push_back(field);
    if (f.size() < 5) continue;
    simbus::ProbeSpec spec;
    spec.bus = static_cast<uint8_t>(std::atoi(f[0].c_str()));
    spec.address = static_cast<uint8_t>(std::atoi(f[1].c_str()));
    spec.vendorId = static_cast<uint16_t>(parse_hex(f[2]));
    spec.productId = static_cast<uint16_t>(parse_hex(f[3]));
    spec.serial = f[4];
    if (f.size() > 5) {
      spec.secondInterface = spec.secondIn = f[5].find('2') != std::string::npos;
      if (f[5].find('d') != std::string::npos) spec.openError = LIBUSB_ERROR_ACCESS;
    }
    simbus::plug(spec);
  }
}

int interface_count(const SimProbe* p) { return p->spec.secondInterface ? 2 : 1; }

// Endpoint layout of interface n: first IN, OUT, then the optional second IN.
std::vector<uint8_t> endpoints_of(const SimProbe* p, int n) {
  std::vector<uint8_t> eps;
  if (n == 0) {
    eps = {0x81, 0x01};
    if (p->spec.secondIn) eps.push_back(0x82);
  } else {
    eps = {0x83, 0x03};
    if (p->spec.secondIn) eps.push_back(0x84);
  }
  return eps;
}

int interface_of_endpoint(const SimProbe* p, uint8_t endpoint, int* position) {
  for (int n = 0; n < interface_count(p); ++n) {
    auto eps = endpoints_of(p, n);
    for (size_t i = 0; i < eps.size(); ++i)
      if (eps[i] == endpoint) {
        *position = static_cast<int>(i);
        return n;
      }
  }
  return -1;
}

}  // namespace

namespace simbus {

void reset() {
  for (auto& [id, p] : bus().probes) detach(p.get());
  bus().probes.clear();
  bus().configured = true;
  bus().initFails = false;
  bus().log.clear();
  bus().controlTransfers = 0;
}

int plug(const ProbeSpec& spec) {
  bus().configured = true;
  auto p = std::make_unique<SimProbe>();
  p->id = bus().nextId++;
  p->spec = spec;
  p->device = new_device(p.get());
  int id = p->id;
  bus().probes[id] = std::move(p);
  return id;
}

void unplug(int device) {
  auto it = bus().probes.find(device);
  if (it == bus().probes.end()) return;
  detach(it->second.get());
  bus().probes.erase(it);
}

void replug(int device, uint8_t busNumber, uint8_t address) {
  auto it = bus().probes.find(device);
  if (it == bus().probes.end()) return;
  SimProbe* p = it->second.get();
  detach(p);
  p->spec.bus = busNumber;
  p->spec.address = address;
  p->interfaces[0] = InterfaceState{};
  p->interfaces[1] = InterfaceState{};
  p->device = new_device(p);
}

void queue_fault(int device, Fault fault) {
  auto it = bus().probes.find(device);
  if (it != bus().probes.end()) it->second->faults.push_back(fault);
}

void set_init_fails(bool fails) { bus().initFails = fails; }
const std::vector<Transfer>& transfers() { return bus().log; }
void clear_transfers() { bus().log.clear(); }

std::vector<uint8_t> stored_data(int device, int interfaceNumber) {
  auto it = bus().probes.find(device);
  if (it == bus().probes.end()) return {};
  return it->second->interfaces[interfaceNumber].stored;
}

int open_handles() { return bus().openHandles; }
int live_device_objects() { return bus().liveDevices; }
int claimed_interfaces() { return bus().claimed; }
int control_transfers() { return bus().controlTransfers; }
int log_level() { return bus().lastLogLevel; }
bool context_alive() { return bus().context != nullptr; }
int contexts_created() { return bus().contextsCreated; }

}  // namespace simbus

// ---- the libusb API ---------------------------------------------------------

int LIBUSB_CALL libusb_init(libusb_context** ctx) {
  if (!bus().configured) {
    bus().configured = true;
    configure_from_environment();
  }
  if (bus().initFails) return LIBUSB_ERROR_OTHER;
  if (bus().context) misuse("a second context while one is alive");
  bus().context = new libusb_context;
  ++bus().contextsCreated;
  if (ctx) *ctx = bus().context;
  return 0;
}

void LIBUSB_CALL libusb_exit(libusb_context* ctx) {
  if (!ctx || ctx != bus().context) misuse("libusb_exit on an unknown context");
  delete ctx;
  bus().context = nullptr;
}

int LIBUSB_CALL libusb_set_option(libusb_context* ctx, enum libusb_option option, ...) {
  if (ctx != bus().context) misuse("libusb_set_option on an unknown context");
  if (option != LIBUSB_OPTION_LOG_LEVEL) return LIBUSB_ERROR_NOT_SUPPORTED;
  va_list ap;
  va_start(ap, option);
  int level = va_arg(ap, int);
  va_end(ap);
  ctx->logLevel = level;
  bus().lastLogLevel = level;
  return 0;
}

ssize_t LIBUSB_CALL libusb_get_device_list(libusb_context* ctx, libusb_device*** list) {
  if (!ctx || ctx != bus().context) misuse("device list without a live context");
  auto** out = static_cast<libusb_device**>(std::calloc(bus().probes.size() + 1, sizeof(libusb_device*)));
  size_t n = 0;
  for (auto& [id, p] : bus().probes) out[n++] = libusb_ref_device(p->device);
  *list = out;
  return static_cast<ssize_t>(n);
}

void LIBUSB_CALL libusb_free_device_list(libusb_device** list, int unref_devices) {
  if (!list) return;
  if (unref_devices)
    for (libusb_device** d = list; *d; ++d) libusb_unref_device(*d);
  std::free(list);
}

libusb_device* LIBUSB_CALL libusb_ref_device(libusb_device* dev) {
  if (!dev || dev->refs <= 0) misuse("reference to a freed device");
  ++dev->refs;
  return dev;
}

void LIBUSB_CALL libusb_unref_device(libusb_device* dev) {
  if (!dev) return;
  if (dev->refs <= 0) misuse("unreference of a freed device");
  if (--dev->refs == 0) {
    --bus().liveDevices;
    delete dev;
  }
}

int LIBUSB_CALL libusb_get_device_descriptor(libusb_device* dev, struct libusb_device_descriptor* desc) {
  if (!dev || dev->refs <= 0) misuse("descriptor of a freed device");
  if (!dev->probe) return LIBUSB_ERROR_NO_DEVICE;
  std::memset(desc, 0, sizeof *desc);
  desc->bLength = LIBUSB_DT_DEVICE_SIZE;
  desc->bDescriptorType = LIBUSB_DT_DEVICE;
  desc->bcdUSB = 0x0200;
  desc->bMaxPacketSize0 = 64;
  desc->idVendor = dev->probe->spec.vendorId;
  desc->idProduct = dev->probe->spec.productId;
  desc->bcdDevice = 0x0100;
  desc->iManufacturer = 1;
  desc->iProduct = 2;
  desc->iSerialNumber = 3;
  desc->bNumConfigurations = 1;
  return 0;
}

uint8_t LIBUSB_CALL libusb_get_bus_number(libusb_device* dev) { return dev->bus; }

uint8_t LIBUSB_CALL libusb_get_device_address(libusb_device* dev) { return dev->address; }

int LIBUSB_CALL libusb_open(libusb_device* dev, libusb_device_handle** dev_handle) {
  if (!dev || dev->refs <= 0) misuse("open of a freed device");
  if (!dev->probe) return LIBUSB_ERROR_NO_DEVICE;
  if (dev->probe->spec.openError) return dev->probe->spec.openError;
  auto* h = new libusb_device_handle;
  h->device = libusb_ref_device(dev);
  ++bus().openHandles;
  *dev_handle = h;
  return 0;
}

void LIBUSB_CALL libusb_close(libusb_device_handle* h) {
  if (!h) return;
  for (bool& c : h->claimed)
    if (c) {
      c = false;
      --bus().claimed;
    }
  libusb_unref_device(h->device);
  --bus().openHandles;
  delete h;
}

int LIBUSB_CALL libusb_get_config_descriptor(libusb_device* dev, uint8_t config_index,
                                             struct libusb_config_descriptor** config) {
  if (!dev || dev->refs <= 0) misuse("config descriptor of a freed device");
  if (!dev->probe) return LIBUSB_ERROR_NO_DEVICE;
  if (config_index != 0) return LIBUSB_ERROR_NOT_FOUND;
  const SimProbe* p = dev->probe;
  int nIf = interface_count(p);
  auto* c = static_cast<libusb_config_descriptor*>(std::calloc(1, sizeof(libusb_config_descriptor)));
  c->bLength = LIBUSB_DT_CONFIG_SIZE;
  c->bDescriptorType = LIBUSB_DT_CONFIG;
  c->bNumInterfaces = static_cast<uint8_t>(nIf);
  c->bConfigurationValue = 1;
  c->MaxPower = 50;
  auto* ifs = static_cast<libusb_interface*>(std::calloc(nIf, sizeof(libusb_interface)));
  for (int n = 0; n < nIf; ++n) {
    auto* alt = static_cast<libusb_interface_descriptor*>(std::calloc(1, sizeof(libusb_interface_descriptor)));
    auto eps = endpoints_of(p, n);
    auto* epd = static_cast<libusb_endpoint_descriptor*>(std::calloc(eps.size(), sizeof(libusb_endpoint_descriptor)));
    for (size_t i = 0; i < eps.size(); ++i) {
      epd[i].bLength = LIBUSB_DT_ENDPOINT_SIZE;
      epd[i].bDescriptorType = LIBUSB_DT_ENDPOINT;
      epd[i].bEndpointAddress = eps[i];
      epd[i].bmAttributes = LIBUSB_TRANSFER_TYPE_BULK;
      epd[i].wMaxPacketSize = 64;
    }
    alt->bLength = LIBUSB_DT_INTERFACE_SIZE;
    alt->bDescriptorType = LIBUSB_DT_INTERFACE;
    alt->bInterfaceNumber = static_cast<uint8_t>(n);
    alt->bNumEndpoints = static_cast<uint8_t>(eps.size());
    alt->bInterfaceClass = LIBUSB_CLASS_VENDOR_SPEC;
    alt->endpoint = epd;
    ifs[n].altsetting = alt;
    ifs[n].num_altsetting = 1;
  }
  c->interface = ifs;
  *config = c;
  return 0;
}

void LIBUSB_CALL libusb_free_config_descriptor(struct libusb_config_descriptor* config) {
  if (!config) return;
  for (int n = 0; n < config->bNumInterfaces; ++n) {
    auto* alt = const_cast<libusb_interface_descriptor*>(config->interface[n].altsetting);
    std::free(const_cast<libusb_endpoint_descriptor*>(alt->endpoint));
    std::free(alt);
  }
  std::free(const_cast<libusb_interface*>(config->interface));
  std::free(config);
}

int LIBUSB_CALL libusb_claim_interface(libusb_device_handle* h, int interface_number) {
  if (!h) misuse("claim on a null handle");
  SimProbe* p = h->device->probe;
  if (!p) return LIBUSB_ERROR_NO_DEVICE;
  if (interface_number < 0 || interface_number >= interface_count(p)) return LIBUSB_ERROR_NOT_FOUND;
  if (p->spec.claimFails) return LIBUSB_ERROR_BUSY;
  if (!h->claimed[interface_number]) {
    h->claimed[interface_number] = true;
    ++bus().claimed;
  }
  return 0;
}

int LIBUSB_CALL libusb_release_interface(libusb_device_handle* h, int interface_number) {
  if (!h) misuse("release on a null handle");
  if (interface_number < 0 || interface_number > 1 || !h->claimed[interface_number]) return LIBUSB_ERROR_NOT_FOUND;
  h->claimed[interface_number] = false;
  --bus().claimed;
  return 0;
}

int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* h, uint8_t request_type, uint8_t bRequest,
                                        uint16_t wValue, uint16_t wIndex, unsigned char* data, uint16_t wLength,
                                        unsigned int /*timeout*/) {
  if (!h) misuse("control transfer on a null handle");
  ++bus().controlTransfers;
  SimProbe* p = h->device->probe;
  if (!p) return LIBUSB_ERROR_NO_DEVICE;
  // Only GET_DESCRIPTOR(string) is modelled; a probe stalls anything else.
  if (request_type != 0x80 || bRequest != LIBUSB_REQUEST_GET_DESCRIPTOR || (wValue >> 8) != LIBUSB_DT_STRING)
    return LIBUSB_ERROR_PIPE;
  if ((wValue & 0xff) != 3 || wIndex != 0x0409 || p->spec.serialRequestFails) return LIBUSB_ERROR_PIPE;
  std::vector<uint8_t> d = {static_cast<uint8_t>(2 + 2 * p->spec.serial.size()), LIBUSB_DT_STRING};
  for (char ch : p->spec.serial) {
    d.push_back(static_cast<uint8_t>(ch));
    d.push_back(0);
  }
  size_t n = std::min<size_t>(d.size(), wLength);
  std::memcpy(data, d.data(), n);
  return static_cast<int>(n);
}

int LIBUSB_CALL libusb_bulk_transfer(libusb_device_handle* h, unsigned char endpoint, unsigned char* data,
                                     int length, int* transferred, unsigned int /*timeout*/) {
  if (!h) misuse("bulk transfer on a null handle");
  if (length < 0 || (length > 0 && !data)) return LIBUSB_ERROR_INVALID_PARAM;
  *transferred = 0;
  SimProbe* p = h->device->probe;
  if (!p) return LIBUSB_ERROR_NO_DEVICE;
  int position = 0;
  int n = interface_of_endpoint(p, endpoint, &position);
  if (n < 0) return LIBUSB_ERROR_NOT_FOUND;
  if (!h->claimed[n]) return LIBUSB_ERROR_NOT_FOUND;  // the probe only talks to a claimed interface

  int moved = length;
  int result = 0;
  if (!p->faults.empty()) {
    simbus::Fault f = p->faults.front();
    p->faults.pop_front();
    switch (f) {
      case simbus::Fault::Pass: break;
      case simbus::Fault::Timeout: moved = 0; result = LIBUSB_ERROR_TIMEOUT; break;
      case simbus::Fault::TimeoutAfterHalf: moved = length / 2; result = LIBUSB_ERROR_TIMEOUT; break;
      case simbus::Fault::Short: moved = length / 2; break;
      case simbus::Fault::IoError: moved = 0; result = LIBUSB_ERROR_IO; break;
    }
  }

  InterfaceState& st = p->interfaces[n];
  const bool in = (endpoint & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_IN;
  if (!in) {
    if (st.pendingStore > 0) {
      st.stored.insert(st.stored.end(), data, data + moved);
      st.pendingStore = moved >= static_cast<int>(st.pendingStore) ? 0 : st.pendingStore - moved;
    } else if (moved == 16) {
      st.lastCommand = data[0];
      st.loadNext = data[0] == simbus::kCmdLoad;
      if (data[0] == simbus::kCmdStore) {
        st.pendingStore = data[1] | uint32_t(data[2]) << 8 | uint32_t(data[3]) << 16 | uint32_t(data[4]) << 24;
        st.stored.clear();
      }
    }
  } else if (position > 0) {
    for (int i = 0; i < moved; ++i) data[i] = st.traceCounter++;
  } else if (st.loadNext) {
    moved = std::min<int>(moved, static_cast<int>(st.stored.size()));
    std::memcpy(data, st.stored.data(), moved);
    st.loadNext = false;
  } else {
    for (int i = 0; i < moved; ++i) data[i] = static_cast<uint8_t>(st.lastCommand ^ i);
  }
  *transferred = moved;
  bus().log.push_back({p->id, endpoint, std::vector<uint8_t>(data, data + moved), static_cast<uint32_t>(length)});
  return result;
}
