// Internals shared by the USB side and the probe server client.
#pragma once
#include "probix/probe_usb_driver.h"

namespace probix_internal {
// Kind 2 of Probix_GetNbDevices / Probix_GetDeviceInfo2 go to the server.
uint32_t server_device_count();
uint32_t server_device_info2(uint8_t index, TDeviceInfo2* info, uint32_t size);
}  // namespace probix_internal
