// Simulated USB bus standing in for libusb-1.0 in the tests.
//
// libusb_sim.cpp defines the libusb functions the driver calls, with the
// prototypes of the real <libusb.h>, on top of this bus of simulated probes.
// It models what the driver relies on: device lists with reference counts,
// string descriptors over control transfers, configuration descriptors,
// interface claiming, and bulk endpoints served by a small probe firmware:
//
//   command 0xA1 (STORE): cdb[1..4] = length; the next OUT data is kept
//   command 0xA2 (LOAD):  the next read on the first IN endpoint returns
//                         the kept data (shorter than asked if less was kept)
//   any other command:    reads return byte i = cdb[0] ^ i
//   second IN endpoint:   a running byte counter (a trace stream)
//
// Faults (timeouts, short or failed transfers, refused opens, failed serial
// requests, claim failures) can be queued per device. The bus can also be
// described by the environment variable LIBUSB_SIM_DEVICES, read at the first
// libusb_init when the program set nothing up:
//   "BUS:ADDR:VID:PID:SERIAL[:FLAGS];..."   (VID and PID in hex)
//   FLAGS: '2' second interface and second IN endpoint, 'd' open refused (access)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace simbus {

constexpr uint8_t kCmdStore = 0xA1;
constexpr uint8_t kCmdLoad = 0xA2;

struct ProbeSpec {
  uint8_t bus = 1;
  uint8_t address = 1;
  uint16_t vendorId = 0;
  uint16_t productId = 0;
  // Each byte becomes one UTF-16 unit of the serial string descriptor.
  std::string serial;
  bool serialRequestFails = false;
  int openError = 0;            // libusb error returned by libusb_open, 0 = opens
  bool claimFails = false;
  bool secondInterface = false;  // interface 1 with its own endpoints
  bool secondIn = false;         // a second bulk IN endpoint on each interface
};

// Pass lets one transfer through untouched, to aim a later fault.
enum class Fault { Pass, Timeout, Short, IoError, TimeoutAfterHalf };

struct Transfer {
  int device;
  uint8_t endpoint;
  std::vector<uint8_t> data;  // bytes moved
  uint32_t requested;
};

void reset();  // unplug everything, forget faults and logs
int plug(const ProbeSpec& spec);   // returns the device id
void unplug(int device);
// The device leaves and comes back (a new device object, as after a replug).
void replug(int device, uint8_t bus, uint8_t address);
void queue_fault(int device, Fault fault);
void set_init_fails(bool fails);

const std::vector<Transfer>& transfers();
void clear_transfers();
std::vector<uint8_t> stored_data(int device, int interfaceNumber);

int open_handles();             // handles not yet closed
int live_device_objects();      // device objects not yet freed
int claimed_interfaces();       // claims not released on open handles
int control_transfers();
int log_level();
bool context_alive();
int contexts_created();

}  // namespace simbus
