// probe-server: owns this machine's Probix probes (interface kinds 0 and 1 of
// probe-usb-driver) and serves them to several local clients at once over the
// probe server protocol, on loopback.
//
// One thread, one poll loop: the driver is not thread-safe, and each request is
// short. Probe identifiers are stable for the life of the server: a probe that
// is seen again (same kind, IDs and serial) keeps its identifier. The
// identifier is reported in the first word of each TDeviceInfo2 reply.
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "probix/probe_usb_driver.h"

namespace {

constexpr uint32_t kMaxWriteData = 2015;
constexpr uint32_t kMaxReadData = 10236;
constexpr uint32_t kMaxInfoSize = 10236;
constexpr size_t kMaxClients = 64;
constexpr uint8_t kProtocolVersion = 1;
constexpr uint8_t kVersionMajor = 1;
constexpr uint8_t kVersionMinor = 0;
constexpr uint8_t kVersionPatch = 0;

volatile sig_atomic_t g_stop = 0;

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
uint32_t get32(const uint8_t* p) { return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

struct Probe {
  uint32_t id = 0;
  TEnumProbixInterface kind = 0;
  uint8_t index = 0;
  bool listed = false;
  TDeviceInfo info{};
  TProbixHandle libHandle = PROBIX_NO_HANDLE;
  std::set<int> openers;  // client connection ids
  int exclusiveOwner = 0;
};

struct Client {
  int id = 0;
  int fd = -1;
  std::vector<uint8_t> in;
  std::vector<uint8_t> out;
  std::map<uint32_t, uint32_t> handles;  // server handle -> probe id
};

class Server {
 public:
  explicit Server(uint32_t usbTimeoutMs) : usbTimeoutMs_(usbTimeoutMs) {}

  int listen_on(uint16_t port) {
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0) return -1;
    int one = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(listenFd_, 16) != 0) return -1;
    socklen_t len = sizeof a;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
  }

  void run() {
    rescan(false);
    while (!g_stop) {
      std::vector<pollfd> fds;
      fds.push_back({listenFd_, POLLIN, 0});
      for (auto& [id, c] : clients_) fds.push_back({c.fd, short(POLLIN | (c.out.empty() ? 0 : POLLOUT)), 0});
      int r = poll(fds.data(), fds.size(), 500);
      if (r < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (fds[0].revents & POLLIN) accept_clients();
      std::vector<int> gone;
      size_t k = 1;
      for (auto& [id, c] : clients_) {
        if (k >= fds.size()) break;
        short ev = fds[k++].revents;
        if (ev & (POLLERR | POLLHUP | POLLNVAL)) {
          if (!(ev & POLLIN)) {
            gone.push_back(id);
            continue;
          }
        }
        if ((ev & POLLIN) && !read_client(c)) {
          gone.push_back(id);
          continue;
        }
        if (!c.out.empty() && !flush_client(c)) gone.push_back(id);
      }
      for (int id : gone) drop_client(id);
    }
    for (auto& [id, c] : clients_) close(c.fd);
    clients_.clear();
    Probix_FreeLibrary();
    close(listenFd_);
  }

 private:
  void accept_clients() {
    for (;;) {
      int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
      if (fd < 0) return;
      if (clients_.size() >= kMaxClients) {
        close(fd);
        continue;
      }
      int one = 1;
      setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      Client c;
      c.id = nextClientId_++;
      c.fd = fd;
      clients_[c.id] = std::move(c);
    }
  }

  bool read_client(Client& c) {
    // One read per wake-up: poll is level-triggered, so whatever is left
    // wakes us again.
    uint8_t buf[16384];
    ssize_t n = recv(c.fd, buf, sizeof buf, 0);
    if (n == 0) return false;
    if (n < 0) return errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK;
    c.in.insert(c.in.end(), buf, buf + n);
    // Handle every complete request; a malformed one ends the connection,
    // since the stream cannot be resynchronised.
    for (;;) {
      if (c.in.empty()) return true;
      long need = request_size(c.in);
      if (need < 0) return false;
      if (need == 0 || c.in.size() < size_t(need)) return true;
      std::vector<uint8_t> request(c.in.begin(), c.in.begin() + need);
      c.in.erase(c.in.begin(), c.in.begin() + need);
      handle(c, request);
      if (!flush_client(c)) return false;
    }
  }

  // Size of the request at the front of `in`, 0 if more bytes are needed to
  // tell, -1 if it is not a valid request.
  static long request_size(const std::vector<uint8_t>& in) {
    switch (in[0]) {
      case 0: return 2;
      case 1: return 1;
      case 2: return 8;
      case 3: return 12;
      case 4: return 8;
      case 6: return 4;
      case 7: return 8;
      case 5: {
        if (in.size() < 32) return 0;
        uint32_t length = get32(&in[28]);
        if (in[24] == PROBIX_ACCESS_WRITE) return length > kMaxWriteData ? -1 : 32 + long(length);
        return length > kMaxReadData ? -1 : 32;
      }
      default: return -1;
    }
  }

  bool flush_client(Client& c) {
    while (!c.out.empty()) {
      ssize_t n = send(c.fd, c.out.data(), c.out.size(), MSG_NOSIGNAL);
      if (n > 0) {
        c.out.erase(c.out.begin(), c.out.begin() + n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
      return false;
    }
    return true;
  }

  void drop_client(int id) {
    auto it = clients_.find(id);
    if (it == clients_.end()) return;
    Client& c = it->second;
    for (auto& [handle, probeId] : c.handles) release(c.id, probeId);
    close(c.fd);
    clients_.erase(it);
  }

  Probe* probe_by_id(uint32_t id) {
    for (auto& p : probes_)
      if (p->id == id && p->listed) return p.get();
    return nullptr;
  }

  std::vector<Probe*> listed() {
    std::vector<Probe*> out;
    for (auto& p : probes_)
      if (p->listed) out.push_back(p.get());
    return out;
  }

  bool any_open() const {
    for (auto& p : probes_)
      if (!p->openers.empty()) return true;
    return false;
  }

  // Re-enumerates both USB kinds and maps the tables onto stable identifiers.
  // A clearing request is only honoured while no client has a probe open,
  // so that one client cannot pull a probe from under another.
  uint32_t rescan(bool clear) {
    const bool doClear = clear && !any_open();
    uint32_t result = PROBE_OK;
    for (auto& p : probes_) p->listed = false;
    for (TEnumProbixInterface kind = 0; kind <= 1; ++kind) {
      uint32_t s = Probix_Reenumerate(kind, doClear ? 1 : 0);
      if (s != PROBE_OK && result == PROBE_OK) result = s;
      std::map<std::string, int> seen;
      uint32_t n = Probix_GetNbDevices(kind);
      for (uint32_t i = 0; i < n && i < 256; ++i) {
        TDeviceInfo info;
        if (Probix_GetDeviceInfo(kind, uint8_t(i), &info, sizeof info) != PROBE_OK) continue;
        char key[96];
        std::snprintf(key, sizeof key, "%u/%04x/%04x/%.32s", kind, info.vendorId, info.productId, info.enumUniqueId);
        int occurrence = seen[key]++;
        Probe* p = match(key, occurrence);
        if (!p) {
          probes_.push_back(std::make_unique<Probe>());
          p = probes_.back().get();
          p->id = nextProbeId_++;
          keys_[p->id] = std::string(key) + "#" + std::to_string(occurrence);
        }
        p->kind = kind;
        p->index = uint8_t(i);
        p->info = info;
        p->listed = true;
        if (!p->openers.empty()) {
          // Still open in the driver: the same handle comes back. Replugged:
          // the driver dropped it, and this opens it afresh for the clients.
          TProbixHandle h = PROBIX_NO_HANDLE;
          p->libHandle = Probix_OpenDevice(kind, p->index, 0, &h) == PROBE_OK ? h : PROBIX_NO_HANDLE;
        }
      }
    }
    // Probes that left: their clients keep their handles, which now fail.
    for (auto& p : probes_)
      if (!p->listed) p->libHandle = PROBIX_NO_HANDLE;
    return result;
  }

  Probe* match(const std::string& key, int occurrence) {
    std::string full = key + "#" + std::to_string(occurrence);
    for (auto& p : probes_)
      if (keys_[p->id] == full) return p.get();
    return nullptr;
  }

  void release(int clientId, uint32_t probeId) {
    for (auto& p : probes_) {
      if (p->id != probeId) continue;
      p->openers.erase(clientId);
      if (p->exclusiveOwner == clientId) p->exclusiveOwner = 0;
      if (p->openers.empty() && p->libHandle != PROBIX_NO_HANDLE) {
        Probix_CloseDevice(p->libHandle);
        p->libHandle = PROBIX_NO_HANDLE;
      }
    }
  }

  void handle(Client& c, const std::vector<uint8_t>& rq) {
    std::vector<uint8_t>& out = c.out;
    switch (rq[0]) {
      case 0:
        put32(out, rescan(rq[1] != 0));
        break;
      case 1:
        put32(out, uint32_t(listed().size()));
        break;
      case 2: {
        uint32_t size = get32(&rq[4]);
        if (size > kMaxInfoSize) size = 0;  // cannot be framed; the client refuses these itself
        auto all = listed();
        TDeviceInfo2 info{};
        uint32_t status = PROBE_BAD_PARAMETER;
        if (rq[1] < all.size()) {
          Probe* p = all[rq[1]];
          info.reserved = p->id;
          std::memcpy(info.enumUniqueId, p->info.enumUniqueId, sizeof info.enumUniqueId);
          info.vendorId = p->info.vendorId;
          info.productId = p->info.productId;
          bool usedElsewhere = false;
          for (int opener : p->openers) usedElsewhere |= opener != c.id;
          info.deviceUsed = usedElsewhere ? 1 : 0;
          status = size < sizeof(TDeviceInfo2) + 1 ? PROBE_OK : PROBE_RECORD_TOO_LARGE;
        }
        put32(out, status);
        const uint8_t* raw = reinterpret_cast<const uint8_t*>(&info);
        for (uint32_t i = 0; i < size; ++i) out.push_back(i < sizeof info ? raw[i] : 0);
        break;
      }
      case 3: {
        uint32_t id = get32(&rq[4]);
        uint32_t status = PROBE_OK;
        uint32_t handle = 0;
        Probe* p = probe_by_id(id);
        if (!p) {
          status = PROBE_BAD_PARAMETER;
        } else {
          for (auto& [h, pid] : c.handles)
            if (pid == id) handle = h;
          bool others = !p->openers.empty() && !(p->openers.size() == 1 && p->openers.count(c.id));
          if (handle) {
            // Opening again from the same client gives back its handle.
          } else if ((p->exclusiveOwner && p->exclusiveOwner != c.id) || (rq[8] && others)) {
            status = PROBE_ACCESS_DENIED;
          } else {
            if (p->libHandle == PROBIX_NO_HANDLE) {
              TProbixHandle h = PROBIX_NO_HANDLE;
              status = Probix_OpenDevice(p->kind, p->index, rq[8], &h);
              if (status == PROBE_OK) p->libHandle = h;
            }
            if (status == PROBE_OK) {
              handle = nextHandle_++;
              if (nextHandle_ == 0) nextHandle_ = 1;
              c.handles[handle] = id;
              p->openers.insert(c.id);
              if (rq[8]) p->exclusiveOwner = c.id;
            }
          }
        }
        put32(out, status);
        put32(out, status == PROBE_OK ? handle : 0);
        break;
      }
      case 4: {
        uint32_t handle = get32(&rq[4]);
        auto it = c.handles.find(handle);
        if (it == c.handles.end()) {
          put32(out, PROBE_BAD_PARAMETER);
          break;
        }
        uint32_t probeId = it->second;
        c.handles.erase(it);
        bool stillHeld = false;
        for (auto& [h, pid] : c.handles) stillHeld |= pid == probeId;
        if (!stillHeld) release(c.id, probeId);
        put32(out, PROBE_OK);
        break;
      }
      case 5: {
        uint32_t handle = get32(&rq[4]);
        uint8_t accessType = rq[24];
        uint32_t length = get32(&rq[28]);
        const bool write = accessType == PROBIX_ACCESS_WRITE;
        std::vector<uint8_t> data(length);
        if (write && length) std::memcpy(data.data(), &rq[32], length);
        uint32_t status = PROBE_BAD_PARAMETER;
        auto it = c.handles.find(handle);
        Probe* p = it == c.handles.end() ? nullptr : probe_by_id(it->second);
        if (p && p->libHandle != PROBIX_NO_HANDLE) {
          TDeviceRequest request{};
          request.cdbLength = 16;
          std::memcpy(request.cdb, &rq[8], 16);
          request.accessType = accessType;
          request.buffer = length ? data.data() : nullptr;
          request.bufferLength = length;
          status = Probix_SendCommand(p->libHandle, &request, usbTimeoutMs_);
        } else if (p) {
          status = PROBE_USB_ERROR;  // the probe left the bus
        }
        put32(out, status);
        if (!write) {
          if (status != PROBE_OK) std::fill(data.begin(), data.end(), 0);
          out.insert(out.end(), data.begin(), data.end());
        }
        break;
      }
      case 6:
        // Four values: protocol version, server version major, minor, patch.
        for (uint8_t v : {kProtocolVersion, kVersionMajor, kVersionMinor, kVersionPatch}) put32(out, v);
        break;
      case 7: {
        Probe* p = probe_by_id(get32(&rq[4]));
        put32(out, p ? uint32_t(p->openers.size()) : 0);
        break;
      }
    }
  }

  uint32_t usbTimeoutMs_;
  int listenFd_ = -1;
  int nextClientId_ = 1;
  uint32_t nextProbeId_ = 1;
  uint32_t nextHandle_ = 1;
  std::map<int, Client> clients_;
  std::vector<std::unique_ptr<Probe>> probes_;
  std::map<uint32_t, std::string> keys_;
};

void on_signal(int) { g_stop = 1; }

void usage() {
  std::printf(
      "usage: probe-server [--port N] [--usb-timeout MS]\n"
      "Shares this machine's Probix probes with local tools over TCP on 127.0.0.1.\n"
      "  --port N          TCP port (default 7184; 0 picks a free one and prints it)\n"
      "  --usb-timeout MS  timeout of each USB transfer (default 800)\n");
}

}  // namespace

int main(int argc, char** argv) {
  long port = 7184;
  long usbTimeout = 800;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto number = [&](long lo, long hi, long* v) {
      if (i + 1 >= argc) return false;
      char* end = nullptr;
      *v = std::strtol(argv[++i], &end, 10);
      return *end == '\0' && *v >= lo && *v <= hi;
    };
    if (a == "--port" && number(0, 65535, &port)) continue;
    if (a == "--usb-timeout" && number(1, 60000, &usbTimeout)) continue;
    if (a == "--help" || a == "-h") {
      usage();
      return 0;
    }
    usage();
    return 2;
  }
  struct sigaction sa{};
  sa.sa_handler = on_signal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);

  Server server{static_cast<uint32_t>(usbTimeout)};
  int bound = server.listen_on(uint16_t(port));
  if (bound < 0) {
    std::fprintf(stderr, "probe-server: cannot listen on 127.0.0.1:%ld: %s\n", port, std::strerror(errno));
    return 1;
  }
  std::printf("probe-server: listening on 127.0.0.1:%d\n", bound);
  std::fflush(stdout);
  server.run();
  return 0;
}
