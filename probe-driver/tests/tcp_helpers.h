// Test helpers for the probe server client: a probe-server child process, a
// raw protocol client, and a scripted server that answers as told.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace tcptest {

using Bytes = std::vector<uint8_t>;

inline void put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
inline uint32_t get32(const uint8_t* p) {
  return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline Bytes word(uint32_t v) {
  Bytes b;
  put32(b, v);
  return b;
}
inline Bytes cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Reads exactly n bytes unless the peer closes or timeoutMs passes.
inline Bytes read_n(int fd, size_t n, int timeoutMs) {
  Bytes out;
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (out.size() < n) {
    int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count());
    if (left <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, left) <= 0) break;
    uint8_t buf[16384];
    ssize_t r = recv(fd, buf, std::min(sizeof buf, n - out.size()), 0);
    if (r <= 0) break;
    out.insert(out.end(), buf, buf + r);
  }
  return out;
}

inline int listen_loopback(int* port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(fd, 8);
  socklen_t len = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  *port = ntohs(a.sin_port);
  return fd;
}

inline int connect_loopback(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(uint16_t(port));
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  return fd;
}

// probe-server over the simulated bus, as a child process on a free port.
class ServerProcess {
 public:
  explicit ServerProcess(const std::string& devices) {
    const char* bin = std::getenv("PROBE_SERVER_BIN");
    if (!bin) {
      std::printf("PROBE_SERVER_BIN is not set\n");
      return;
    }
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a test that crashed
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      setenv("LIBUSB_SIM_DEVICES", devices.c_str(), 1);
      execl(bin, bin, "--port", "0", "--usb-timeout", "200", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    auto at = line.rfind(':');
    if (line.find("listening on 127.0.0.1:") != std::string::npos && at != std::string::npos)
      port_ = std::atoi(line.c_str() + at + 1);
  }
  ~ServerProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  int port() const { return port_; }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// One step of a scripted exchange: read `expect` bytes of request, wait,
// then send `reply` (possibly short, overlong or malformed) and maybe close.
struct Step {
  size_t expect;
  Bytes reply;
  int delayMs = 0;
  bool closeAfter = false;
};

class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<std::vector<Step>> connections) : script_(std::move(connections)) {
    listenFd_ = listen_loopback(&port_);
    thread_ = std::thread([this] { run(); });
  }
  ~ScriptedServer() { finish(); }
  int port() const { return port_; }
  // Waits for the script to end; afterwards the fields below are stable.
  void finish() {
    if (thread_.joinable()) thread_.join();
    if (listenFd_ >= 0) close(listenFd_);
    listenFd_ = -1;
  }
  std::vector<Bytes> requests;  // what each step received
  size_t extraBytes = 0;        // bytes received beyond the script
  int accepted = 0;
  bool lastSawClose = false;    // the client closed the last connection

 private:
  void run() {
    for (auto& steps : script_) {
      pollfd p{listenFd_, POLLIN, 0};
      if (poll(&p, 1, 5000) <= 0) return;
      int fd = accept(listenFd_, nullptr, nullptr);
      if (fd < 0) return;
      ++accepted;
      bool closed = false;
      for (auto& s : steps) {
        requests.push_back(read_n(fd, s.expect, 3000));
        if (s.delayMs) std::this_thread::sleep_for(std::chrono::milliseconds(s.delayMs));
        if (!s.reply.empty()) send(fd, s.reply.data(), s.reply.size(), MSG_NOSIGNAL);
        if (s.closeAfter) {
          close(fd);
          closed = true;
          break;
        }
      }
      if (!closed) {
        // Anything more is counted; the client closing ends the connection.
        for (;;) {
          pollfd q{fd, POLLIN, 0};
          if (poll(&q, 1, 400) <= 0) break;
          uint8_t buf[4096];
          ssize_t r = recv(fd, buf, sizeof buf, 0);
          if (r <= 0) {
            lastSawClose = true;
            break;
          }
          extraBytes += size_t(r);
        }
        close(fd);
      }
    }
  }
  std::vector<std::vector<Step>> script_;
  int listenFd_ = -1;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace tcptest
