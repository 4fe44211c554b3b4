// USB side of probe-usb-driver: probe tables, re-enumeration, open, close and
// command blocks over libusb-1.0 bulk transfers.
#include <libusb.h>

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <cstring>

#include "driver_internal.h"
#include "probe_ids.h"

namespace {

constexpr unsigned kTableSlots = 26;
constexpr unsigned kKinds = 3;
constexpr unsigned kSerialBufferSize = 50;
constexpr unsigned kSerialTimeoutMs = 1000;

struct ProbeRecord {
  bool opened = false;
  bool present = false;
  libusb_device* device = nullptr;  // we hold one reference
  uint8_t busNumber = 0;
  uint8_t address = 0;
  libusb_device_handle* usb = nullptr;
  TProbixHandle handle = PROBIX_NO_HANDLE;
  TDeviceInfo info{};
  uint8_t endpointIn = 0;
  uint8_t endpointOut = 0;
  uint8_t endpointIn2 = 0;
  uint32_t counters[3] = {0, 0, 0};
};

struct ProbeTable {
  ProbeRecord* slots[kTableSlots] = {};
  unsigned count = 0;
};

ProbeTable g_tables[kKinds];
int g_lastClaimedInterface = 0;
libusb_context* g_context = nullptr;
TProbixHandle g_nextHandle = 1;

bool is_probe_product(uint16_t productId) {
  return std::find(std::begin(probix_ids::kProductIds), std::end(probix_ids::kProductIds), productId) !=
         std::end(probix_ids::kProductIds);
}

bool accepted_for_kind(const libusb_device_descriptor& d, unsigned kind) {
  if (d.idVendor != probix_ids::kVendorId) return false;
  if (kind == 0) return is_probe_product(d.idProduct);
  return d.idProduct == probix_ids::kSecondInterfaceId;
}

ProbeRecord* find_by_handle(TProbixHandle handle) {
  if (handle == PROBIX_NO_HANDLE) return nullptr;
  for (auto& table : g_tables)
    for (unsigned i = 0; i < table.count; ++i)
      if (table.slots[i]->handle == handle) return table.slots[i];
  return nullptr;
}

// Handles are small numbers of our own so that they survive the 32-bit
// round trip through the Java side, unlike a pointer.
TProbixHandle allocate_handle() {
  for (;;) {
    TProbixHandle candidate = g_nextHandle;
    g_nextHandle = (g_nextHandle >= INT32_MAX - 1) ? 1 : g_nextHandle + 1;
    if (!find_by_handle(candidate)) return candidate;
  }
}

void close_record(ProbeRecord* rec) {
  if (!rec->opened) return;
  libusb_release_interface(rec->usb, g_lastClaimedInterface);
  libusb_close(rec->usb);
  rec->usb = nullptr;
  rec->handle = PROBIX_NO_HANDLE;
  rec->opened = false;
}

void free_record(ProbeRecord* rec) {
  close_record(rec);
  if (rec->device) libusb_unref_device(rec->device);
  delete rec;
}

void clear_table(ProbeTable& table) {
  for (unsigned i = 0; i < table.count; ++i) {
    free_record(table.slots[i]);
    table.slots[i] = nullptr;
  }
  table.count = 0;
}

void to_serial_text(const uint8_t* d, char* out, size_t outSize) {
  char text[64] = {};
  if (d[0] == 26) {
    for (int i = 0; i < 12; ++i) std::snprintf(text + 2 * i, 3, "%02hX", static_cast<unsigned short>(d[2 + 2 * i]));
  } else if (d[0] == 50) {
    for (int i = 0; i < 24; ++i) text[i] = static_cast<char>(d[2 + 2 * i]);
  } else {
    std::strcpy(text, "Unexpected_SN_Format");
  }
  // The record keeps at most outSize - 1 characters and a NUL.
  size_t n = std::min(std::strlen(text), outSize - 1);
  std::memcpy(out, text, n);
  out[n] = '\0';
}

uint32_t status_of_open_error(int libusbError) {
  return libusbError == LIBUSB_ERROR_ACCESS ? PROBE_ACCESS_DENIED : PROBE_USB_ERROR;
}

// Opens a new probe once to read its serial number; returns the status the
// open contributes to the enumeration result.
uint32_t create_record(libusb_device* dev, const libusb_device_descriptor& desc, ProbeRecord* rec) {
  uint32_t status = PROBE_OK;
  char serial[sizeof rec->info.enumUniqueId] = "";
  libusb_device_handle* h = nullptr;
  int r = libusb_open(dev, &h);
  if (r != 0) {
    status = status_of_open_error(r);
  } else {
    uint8_t buf[kSerialBufferSize] = {};
    int got = libusb_control_transfer(h, 0x80, LIBUSB_REQUEST_GET_DESCRIPTOR,
                                      static_cast<uint16_t>(0x0300 + desc.iSerialNumber), 0x0409, buf,
                                      sizeof buf, kSerialTimeoutMs);
    libusb_close(h);
    if (got < 0)
      std::strcpy(serial, "Cant_get_SN");
    else
      to_serial_text(buf, serial, sizeof serial);
  }
  rec->opened = false;
  rec->present = true;
  rec->handle = PROBIX_NO_HANDLE;
  rec->device = libusb_ref_device(dev);
  rec->busNumber = libusb_get_bus_number(dev);
  rec->address = libusb_get_device_address(dev);
  rec->info = TDeviceInfo{};
  std::memcpy(rec->info.enumUniqueId, serial, sizeof serial);
  rec->info.vendorId = desc.idVendor;
  rec->info.productId = desc.idProduct;
  rec->info.deviceUsed = 0;
  return status;
}

uint32_t open_record(ProbeRecord* rec, int interfaceNumber, TProbixHandle* out) {
  if (rec->opened) {
    *out = rec->handle;
    return PROBE_OK;
  }
  if (rec->info.productId == probix_ids::kOldModelId) return PROBE_MODEL_NOT_SUPPORTED;
  libusb_device_handle* h = nullptr;
  int r = libusb_open(rec->device, &h);
  if (r != 0) return status_of_open_error(r);

  libusb_config_descriptor* config = nullptr;
  if (libusb_get_config_descriptor(rec->device, 0, &config) != 0) {
    libusb_close(h);
    return PROBE_USB_ERROR;
  }
  rec->endpointIn = rec->endpointOut = rec->endpointIn2 = 0;
  if (interfaceNumber < config->bNumInterfaces) {
    if (libusb_claim_interface(h, interfaceNumber) != 0) {
      libusb_free_config_descriptor(config);
      libusb_close(h);
      return PROBE_USB_ERROR;
    }
    const libusb_interface& intf = config->interface[interfaceNumber];
    if (intf.num_altsetting > 0) {
      const libusb_interface_descriptor& alt = intf.altsetting[0];
      for (int i = 0; i < alt.bNumEndpoints; ++i) {
        const libusb_endpoint_descriptor& ep = alt.endpoint[i];
        if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK) continue;
        if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_DIR_MASK) == LIBUSB_ENDPOINT_OUT)
          rec->endpointOut = ep.bEndpointAddress;
        else if (i == 0)
          rec->endpointIn = ep.bEndpointAddress;
        else
          rec->endpointIn2 = ep.bEndpointAddress;
      }
    }
  }
  // Without that interface the handle is kept unclaimed, as an open probe
  // whose transfers will fail.
  libusb_free_config_descriptor(config);
  rec->usb = h;
  rec->handle = allocate_handle();
  rec->opened = true;
  g_lastClaimedInterface = interfaceNumber;
  *out = rec->handle;
  return PROBE_OK;
}

uint32_t bulk(libusb_device_handle* h, uint8_t endpoint, uint8_t* data, uint32_t length, uint32_t timeoutMs) {
  if (!h) return PROBE_BAD_PARAMETER;
  int transferred = 0;
  int r = libusb_bulk_transfer(h, endpoint, data, static_cast<int>(length), &transferred, timeoutMs);
  if (r == LIBUSB_ERROR_TIMEOUT) return PROBE_TIMEOUT;
  if (r != 0 || transferred != static_cast<int>(length)) return PROBE_TRANSFER_ERROR;
  return PROBE_OK;
}

ProbeRecord* find_device(const TProbixDevice* device) {
  if (!device) return nullptr;
  // The reference is checked against the table so that a stale one from
  // before a re-enumeration is refused instead of followed.
  const ProbeTable& table = g_tables[0];
  for (unsigned i = 0; i < table.count; ++i)
    if (reinterpret_cast<const void*>(table.slots[i]) == reinterpret_cast<const void*>(device)) return table.slots[i];
  return nullptr;
}

}  // namespace

uint32_t Probix_Reenumerate(TEnumProbixInterface kind, uint8_t clear) {
  if (kind > 1) return PROBE_BAD_PARAMETER;
  ProbeTable& table = g_tables[kind];
  if (clear) clear_table(table);
  for (unsigned i = 0; i < table.count; ++i) table.slots[i]->present = false;

  if (!g_context && libusb_init(&g_context) != 0) {
    g_context = nullptr;
    return PROBE_USB_ERROR;
  }
  libusb_set_option(g_context, LIBUSB_OPTION_LOG_LEVEL, LIBUSB_LOG_LEVEL_INFO);

  uint32_t result = PROBE_OK;
  libusb_device** list = nullptr;
  ssize_t n = libusb_get_device_list(g_context, &list);
  if (n < 0) return PROBE_USB_ERROR;
  for (ssize_t i = 0; i < n; ++i) {
    libusb_device* dev = list[i];
    libusb_device_descriptor desc{};
    if (libusb_get_device_descriptor(dev, &desc) != 0 || !accepted_for_kind(desc, kind)) continue;
    // Addresses are unique per bus only, so the bus number is part of the key.
    uint8_t bus = libusb_get_bus_number(dev);
    uint8_t address = libusb_get_device_address(dev);
    bool known = false;
    for (unsigned k = 0; k < table.count; ++k) {
      ProbeRecord* rec = table.slots[k];
      if (rec->busNumber != bus || rec->address != address) continue;
      known = true;
      rec->present = true;
      if (rec->device != dev) {
        libusb_ref_device(dev);
        libusb_unref_device(rec->device);
        rec->device = dev;
      }
    }
    if (known || table.count >= kTableSlots) continue;
    auto* rec = new ProbeRecord;
    uint32_t status = create_record(dev, desc, rec);
    if (status != PROBE_OK) result = status;
    table.slots[table.count++] = rec;
  }
  libusb_free_device_list(list, 1);

  // Sweep: keep the probes still present, in order; drop those that left.
  unsigned kept = 0;
  for (unsigned i = 0; i < table.count; ++i) {
    ProbeRecord* rec = table.slots[i];
    table.slots[i] = nullptr;
    if (rec->present)
      table.slots[kept++] = rec;
    else
      free_record(rec);
  }
  table.count = kept;
  return result;
}

uint32_t Probix_GetNbDevices(TEnumProbixInterface kind) {
  if (kind <= 1) return g_tables[kind].count;
  if (kind == 2) return probix_internal::server_device_count();
  return 0;
}

uint32_t Probix_GetDeviceInfo(TEnumProbixInterface kind, uint8_t index, TDeviceInfo* info, uint32_t size) {
  if (kind == 2) return PROBE_NOT_SUPPORTED;
  if (kind > 2 || !info || index >= g_tables[kind].count) return PROBE_BAD_PARAMETER;
  std::memset(info, 0, size);
  std::memcpy(info, &g_tables[kind].slots[index]->info, std::min<uint32_t>(size, sizeof(TDeviceInfo)));
  if (size > sizeof(TDeviceInfo)) return PROBE_RECORD_TOO_LARGE;
  if (size < PROBIX_DEVICE_INFO_OLD_SIZE) return PROBE_BAD_PARAMETER;
  return PROBE_OK;
}

uint32_t Probix_GetDeviceInfo2(TEnumProbixInterface kind, uint8_t index, TDeviceInfo2* info, uint32_t size) {
  if (kind == 2) return probix_internal::server_device_info2(index, info, size);
  if (kind > 2 || !info || index >= g_tables[kind].count) return PROBE_BAD_PARAMETER;
  const TDeviceInfo& src = g_tables[kind].slots[index]->info;
  TDeviceInfo2 compact{};
  compact.reserved = 0;
  std::memcpy(compact.enumUniqueId, src.enumUniqueId, sizeof compact.enumUniqueId);
  compact.vendorId = src.vendorId;
  compact.productId = src.productId;
  compact.deviceUsed = src.deviceUsed;
  std::memset(info, 0, size);
  // A smaller caller record gets only as many bytes as it has.
  std::memcpy(info, &compact, std::min<uint32_t>(size, sizeof compact));
  return size < sizeof(TDeviceInfo2) + 1 ? PROBE_OK : PROBE_RECORD_TOO_LARGE;
}

uint32_t Probix_OpenDevice(TEnumProbixInterface kind, uint8_t index, uint8_t /*exclusive*/, TProbixHandle* handle) {
  if (kind > 1 || !handle || index >= g_tables[kind].count) return PROBE_BAD_PARAMETER;
  return open_record(g_tables[kind].slots[index], static_cast<int>(kind), handle);
}

uint32_t Probix_CloseDevice(TProbixHandle handle) {
  ProbeRecord* rec = find_by_handle(handle);
  if (!rec) return PROBE_BAD_PARAMETER;
  close_record(rec);
  return PROBE_OK;
}

uint32_t Probix_SendCommand(TProbixHandle handle, TDeviceRequest* request, uint32_t timeoutMs) {
  ProbeRecord* rec = find_by_handle(handle);
  if (!rec || !rec->opened || !request) return PROBE_BAD_PARAMETER;
  if (request->bufferLength != 0 && !request->buffer) return PROBE_BAD_PARAMETER;
  if (request->accessType != PROBIX_ACCESS_READ_2) {
    uint32_t s = bulk(rec->usb, rec->endpointOut, request->cdb, sizeof request->cdb, timeoutMs);
    if (s != PROBE_OK) return s;
  }
  if (request->bufferLength == 0) return PROBE_OK;
  auto* data = static_cast<uint8_t*>(request->buffer);
  uint8_t endpoint = rec->endpointIn;
  if (request->accessType == PROBIX_ACCESS_WRITE) {
    endpoint = rec->endpointOut;
  } else if (request->accessType == PROBIX_ACCESS_READ_2) {
    if (rec->endpointIn2 == 0) return PROBE_NOT_SUPPORTED;
    endpoint = rec->endpointIn2;
  }
  return bulk(rec->usb, endpoint, data, request->bufferLength, timeoutMs);
}

uint32_t Probix_FreeLibrary() {
  clear_table(g_tables[0]);
  clear_table(g_tables[1]);
  if (g_context) {
    libusb_exit(g_context);
    g_context = nullptr;
  }
  return PROBE_OK;
}

uint32_t OrvaneMass_Enum_Reenumerate() { return Probix_Reenumerate(0, 0); }

uint32_t OrvaneMass_Enum_GetNbDevices() { return Probix_GetNbDevices(0); }

uint32_t OrvaneMass_Enum_GetDevice(uint32_t index, TProbixDevice** device) {
  if (index >= g_tables[0].count || !device) return PROBE_BAD_PARAMETER;
  *device = reinterpret_cast<TProbixDevice*>(g_tables[0].slots[index]);
  return PROBE_OK;
}

uint32_t OrvaneMass_GetDeviceInfo(TProbixDevice* device, uint32_t infoId, void* buffer, uint32_t size) {
  ProbeRecord* rec = find_device(device);
  if (!rec) return PROBE_UNKNOWN_INFO;
  uint32_t wanted = 0;
  switch (infoId) {
    case PROBIX_INFO_IS_PROBE: wanted = 1; break;
    case PROBIX_INFO_VENDOR_ID:
    case PROBIX_INFO_PRODUCT_ID: wanted = 2; break;
    default: return PROBE_UNKNOWN_INFO;
  }
  if (size != wanted) return PROBE_BAD_INFO_SIZE;
  if (!buffer) return PROBE_BAD_PARAMETER;
  if (infoId == PROBIX_INFO_IS_PROBE) {
    *static_cast<uint8_t*>(buffer) = 1;
  } else {
    uint16_t v = infoId == PROBIX_INFO_VENDOR_ID ? rec->info.vendorId : rec->info.productId;
    std::memcpy(buffer, &v, sizeof v);
  }
  return PROBE_OK;
}

uint32_t OrvaneMass_OpenDevice(TProbixDevice* device, TProbixHandle* handle) {
  ProbeRecord* rec = find_device(device);
  if (!rec || !handle) return PROBE_BAD_PARAMETER;
  return open_record(rec, 0, handle);
}

uint32_t OrvaneMass_OpenDeviceExclusive(TProbixDevice* device, TProbixHandle* handle) {
  return OrvaneMass_OpenDevice(device, handle);
}

uint32_t OrvaneMass_CloseDevice(TProbixDevice* /*device*/, TProbixHandle handle) { return Probix_CloseDevice(handle); }

uint32_t OrvaneMass_SendCommand(TProbixDevice* /*device*/, TProbixHandle handle, TDeviceRequest* request,
                                uint32_t timeoutMs) {
  return Probix_SendCommand(handle, request, timeoutMs);
}
