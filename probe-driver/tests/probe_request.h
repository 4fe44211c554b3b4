#pragma once
#include <cstdint>

#include "probix/probe_usb_driver.h"

// A command for the test probes' firmware: operation code in the first CDB
// byte, data phase in buffer.
inline TDeviceRequest request(uint8_t accessType, uint8_t op, void* buffer, uint32_t length) {
  TDeviceRequest r{};
  r.cdb[0] = op;
  r.accessType = accessType;
  r.buffer = buffer;
  r.bufferLength = length;
  return r;
}
