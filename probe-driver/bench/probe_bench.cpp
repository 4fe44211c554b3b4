// Benchmark (prints figures, asserts nothing):
//  1. round trip of Probix_SendCommandTcp (16-byte command, 64-byte read)
//     through probe-server on loopback, against a plain TCP echo round trip
//     with the same request and reply sizes, measured in the same run;
//  2. commands per second through the simulated bus, in process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "probe_ids.h"
#include "probix/probe_usb_driver.h"
#include "simbus.h"
#include "tcp_helpers.h"

using Clock = std::chrono::steady_clock;
using namespace tcptest;

namespace {

struct Stats {
  double median_us, mean_us, p99_us;
};

Stats stats(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  double sum = 0;
  for (double x : v) sum += x;
  return {v[v.size() / 2], sum / double(v.size()), v[v.size() * 99 / 100]};
}

uint16_t plain_model() {
  for (uint16_t pid : probix_ids::kProductIds)
    if (pid != probix_ids::kOldModelId && pid != probix_ids::kSecondInterfaceId) return pid;
  return 0;
}

// An echo peer in its own process, as the server is: reads a 32-byte
// request, answers with 68 bytes.
pid_t start_echo(int* port) {
  int lfd = listen_loopback(port);
  pid_t pid = fork();
  if (pid == 0) {
    int fd = accept(lfd, nullptr, nullptr);
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    uint8_t in[32], out[68] = {};
    for (;;) {
      size_t got = 0;
      while (got < sizeof in) {
        ssize_t n = recv(fd, in + got, sizeof in - got, 0);
        if (n <= 0) _exit(0);
        got += size_t(n);
      }
      if (send(fd, out, sizeof out, MSG_NOSIGNAL) != ssize_t(sizeof out)) _exit(0);
    }
  }
  close(lfd);
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5000;
  char devices[128];
  std::snprintf(devices, sizeof devices, "1:4:%x:%x:BENCH-PROBE-SERIAL-0000001", probix_ids::kVendorId, plain_model());
  setenv("PROBE_SERVER_BIN", PROBE_SERVER_SIMBUS, 0);

  // 1a. through probe-server
  std::vector<double> server_us;
  {
    ServerProcess server(devices);
    if (server.port() <= 0) {
      std::printf("probe-server did not start\n");
      return 1;
    }
    std::string address = ":" + std::to_string(server.port());
    if (Probix_ReenumerateTcp(2, 0, address.c_str(), 0) != PROBE_OK) return 1;
    TDeviceInfo2 info{};
    Probix_GetDeviceInfo2(2, 0, &info, sizeof info);
    if (Probix_OpenDeviceTcp(2, info.reserved, 0) != PROBE_OK) return 1;
    uint8_t data[64];
    TDeviceRequest rq{};
    rq.cdb[0] = 0x20;
    rq.accessType = PROBIX_ACCESS_READ;
    rq.buffer = data;
    rq.bufferLength = sizeof data;
    for (int i = 0; i < rounds / 10; ++i) Probix_SendCommandTcp(info.reserved, &rq, 0);  // warm up
    for (int i = 0; i < rounds; ++i) {
      auto t0 = Clock::now();
      if (Probix_SendCommandTcp(info.reserved, &rq, 0) != PROBE_OK) return 1;
      server_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    Probix_CloseDeviceTcp(info.reserved, 0);
  }

  // 1b. plain TCP echo with the same sizes
  std::vector<double> echo_us;
  {
    int port = 0;
    pid_t echo = start_echo(&port);
    int fd = connect_loopback(port);
    uint8_t rq[32] = {5}, reply[68];
    auto once = [&] {
      send(fd, rq, sizeof rq, MSG_NOSIGNAL);
      size_t got = 0;
      while (got < sizeof reply) {
        ssize_t n = recv(fd, reply + got, sizeof reply - got, 0);
        if (n <= 0) return false;
        got += size_t(n);
      }
      return true;
    };
    for (int i = 0; i < rounds / 10; ++i) once();
    for (int i = 0; i < rounds; ++i) {
      auto t0 = Clock::now();
      if (!once()) return 1;
      echo_us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    close(fd);
    waitpid(echo, nullptr, 0);
  }

  Stats s = stats(server_us), e = stats(echo_us);
  std::printf("round trip, %d commands (16-byte command, 64-byte read):\n", rounds);
  std::printf("  Probix_SendCommandTcp via probe-server: median %.1f us, mean %.1f us, p99 %.1f us\n", s.median_us,
              s.mean_us, s.p99_us);
  std::printf("  plain TCP echo (32 -> 68 bytes):        median %.1f us, mean %.1f us, p99 %.1f us\n", e.median_us,
              e.mean_us, e.p99_us);
  std::printf("  ratio: median %.2fx, mean %.2fx   (target: under 2x)\n", s.median_us / e.median_us,
              s.mean_us / e.mean_us);

  // 2. the simulated bus, in process
  simbus::reset();
  simbus::ProbeSpec spec;
  spec.vendorId = probix_ids::kVendorId;
  spec.productId = plain_model();
  spec.serial = "BENCH-PROBE-SERIAL-00001";
  simbus::plug(spec);
  Probix_Reenumerate(0, 1);
  TProbixHandle h = PROBIX_NO_HANDLE;
  if (Probix_OpenDevice(0, 0, 0, &h) != PROBE_OK) return 1;
  uint8_t data[64];
  TDeviceRequest rq{};
  rq.cdb[0] = 0x20;
  rq.accessType = PROBIX_ACCESS_READ;
  rq.buffer = data;
  rq.bufferLength = sizeof data;
  long count = 0;
  auto start = Clock::now();
  while (Clock::now() - start < std::chrono::seconds(1)) {
    for (int i = 0; i < 1000; ++i) Probix_SendCommand(h, &rq, 100);
    count += 1000;
    simbus::clear_transfers();
  }
  double secs = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("simulated bus: %.0f commands/s (16-byte command + 64-byte read, in process)\n", double(count) / secs);
  Probix_FreeLibrary();
  return 0;
}
