// probe-usb-driver: find, open and drive Probix debug probes over USB
// (libusb-1.0) or through a probe server over TCP.
//
// Every function returns a status code and never throws. The library keeps
// global tables and is not thread-safe: call it from one thread at a time.
// The functions have C++ linkage on purpose: host programs bind them by their
// full symbol names, which carry the parameter types.
#ifndef PROBIX_PROBE_USB_DRIVER_H
#define PROBIX_PROBE_USB_DRIVER_H

#include <cstddef>
#include <cstdint>

#if defined(PROBIX_BUILDING_LIBRARY)
#define PROBIX_API __attribute__((visibility("default")))
#else
#define PROBIX_API
#endif

// ---- status codes -----------------------------------------------------
constexpr uint32_t PROBE_OK = 1;
constexpr uint32_t PROBE_TIMEOUT = 0x1001;
constexpr uint32_t PROBE_BAD_PARAMETER = 0x1002;
constexpr uint32_t PROBE_USB_ERROR = 0x1003;
constexpr uint32_t PROBE_TRANSFER_ERROR = 0x1004;
constexpr uint32_t PROBE_UNKNOWN_INFO = 0x1050;
constexpr uint32_t PROBE_BAD_INFO_SIZE = 0x1051;
constexpr uint32_t PROBE_RECORD_TOO_LARGE = 0x1052;
constexpr uint32_t PROBE_NOT_SUPPORTED = 0x1053;
constexpr uint32_t PROBE_MODEL_NOT_SUPPORTED = 0x1054;
constexpr uint32_t PROBE_ACCESS_DENIED = 0x1055;
constexpr uint32_t PROBE_SERVER_ERROR = 0x2001;
constexpr uint32_t PROBE_SERVER_NOT_RUNNING = 0x2002;

// ---- interface kinds ----------------------------------------------------
// 0: probes on USB interface 0; 1: probes with a second command interface
// (USB interface 1); 2: probes reached through the probe server.
typedef uint32_t TEnumProbixInterface;
constexpr TEnumProbixInterface PROBIX_IF_USB = 0;
constexpr TEnumProbixInterface PROBIX_IF_USB_SECOND = 1;
constexpr TEnumProbixInterface PROBIX_IF_SERVER = 2;

// Device handle handed out by open; -1 means none.
typedef int32_t TProbixHandle;
constexpr TProbixHandle PROBIX_NO_HANDLE = -1;

// Opaque reference to a probe record (mass-storage style enumeration).
struct TProbixDevice;

// Information identifiers of OrvaneMass_GetDeviceInfo.
constexpr uint32_t PROBIX_INFO_VENDOR_ID = 1002;   // 2 bytes
constexpr uint32_t PROBIX_INFO_PRODUCT_ID = 1003;  // 2 bytes
constexpr uint32_t PROBIX_INFO_IS_PROBE = 1006;    // 1 byte, always 1

// Access types of TDeviceRequest.
constexpr uint8_t PROBIX_ACCESS_WRITE = 0;   // data goes to the probe
constexpr uint8_t PROBIX_ACCESS_READ = 1;    // data comes from the probe
constexpr uint8_t PROBIX_ACCESS_READ_2 = 3;  // second input stream, no command phase

// ---- records ------------------------------------------------------------
#pragma pack(push, 1)
struct TDeviceInfo {
  char devPath[4096];      // left empty by this library
  char enumUniqueId[32];   // serial number text, NUL-terminated
  uint16_t vendorId;
  uint16_t productId;
  uint8_t deviceUsed;      // always 0 from the USB side
};

struct TDeviceInfo2 {
  uint32_t reserved;       // 0 from the USB side; the server puts its probe identifier here
  char enumUniqueId[32];
  uint16_t vendorId;
  uint16_t productId;
  uint8_t deviceUsed;
};

struct TDeviceRequest {
  uint8_t cdbLength;       // not used
  uint8_t cdb[16];         // command block
  uint8_t accessType;      // PROBIX_ACCESS_*; any value but 0 and 3 reads
  void* buffer;            // data, or null
  uint32_t bufferLength;   // 0 = no data phase
};
#pragma pack(pop)

static_assert(sizeof(TDeviceInfo) == 4133, "TDeviceInfo is a fixed 4133-byte record");
static_assert(sizeof(TDeviceInfo2) == 41, "TDeviceInfo2 is a fixed 41-byte record");
static_assert(sizeof(TDeviceRequest) == 22 + sizeof(void*), "TDeviceRequest is packed");
static_assert(offsetof(TDeviceInfo, vendorId) == 4128 && offsetof(TDeviceInfo2, vendorId) == 36,
              "record layout");

// Size of the older, shorter TDeviceInfo still accepted by Probix_GetDeviceInfo.
constexpr uint32_t PROBIX_DEVICE_INFO_OLD_SIZE = 296;

// ---- USB side -------------------------------------------------------------
PROBIX_API uint32_t Probix_Reenumerate(TEnumProbixInterface kind, uint8_t clear);
PROBIX_API uint32_t Probix_GetNbDevices(TEnumProbixInterface kind);
PROBIX_API uint32_t Probix_GetDeviceInfo(TEnumProbixInterface kind, uint8_t index, TDeviceInfo* info,
                                         uint32_t size);
PROBIX_API uint32_t Probix_GetDeviceInfo2(TEnumProbixInterface kind, uint8_t index, TDeviceInfo2* info,
                                          uint32_t size);
PROBIX_API uint32_t Probix_OpenDevice(TEnumProbixInterface kind, uint8_t index, uint8_t exclusive,
                                      TProbixHandle* handle);
PROBIX_API uint32_t Probix_CloseDevice(TProbixHandle handle);
PROBIX_API uint32_t Probix_SendCommand(TProbixHandle handle, TDeviceRequest* request, uint32_t timeoutMs);
PROBIX_API uint32_t Probix_FreeLibrary();

PROBIX_API uint32_t OrvaneMass_Enum_Reenumerate();
PROBIX_API uint32_t OrvaneMass_Enum_GetNbDevices();
PROBIX_API uint32_t OrvaneMass_Enum_GetDevice(uint32_t index, TProbixDevice** device);
PROBIX_API uint32_t OrvaneMass_GetDeviceInfo(TProbixDevice* device, uint32_t infoId, void* buffer,
                                             uint32_t size);
PROBIX_API uint32_t OrvaneMass_OpenDevice(TProbixDevice* device, TProbixHandle* handle);
PROBIX_API uint32_t OrvaneMass_OpenDeviceExclusive(TProbixDevice* device, TProbixHandle* handle);
PROBIX_API uint32_t OrvaneMass_CloseDevice(TProbixDevice* device, TProbixHandle handle);
PROBIX_API uint32_t OrvaneMass_SendCommand(TProbixDevice* device, TProbixHandle handle,
                                           TDeviceRequest* request, uint32_t timeoutMs);

// ---- probe server client ----------------------------------------------------
// Address text: null for "localhost" port 7184, "@host", "@host:port" or ":port".
PROBIX_API uint32_t Probix_ReenumerateTcp(TEnumProbixInterface kind, uint8_t clear, const char* serverAddress,
                                          uint32_t reserved);
PROBIX_API uint32_t Probix_OpenDeviceTcp(TEnumProbixInterface kind, uint32_t probeId, uint8_t accessFlag);
PROBIX_API uint32_t Probix_CloseDeviceTcp(uint32_t probeId, uint8_t flag);
PROBIX_API uint32_t Probix_SendCommandTcp(uint32_t probeId, TDeviceRequest* request, uint32_t timeoutMs);
PROBIX_API uint32_t Probix_GetNumOfDeviceClientsTcp(uint32_t probeId);

#endif
