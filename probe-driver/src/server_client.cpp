// Client half of the probe server: one TCP connection, one request and one
// reply at a time, and the table of server-side devices this client opened.
#include <arpa/inet.h>
#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver_internal.h"

namespace {

constexpr size_t kSendBufferSize = 2048;
constexpr size_t kReceiveBufferSize = 10240;
constexpr size_t kMaxHostLength = 50;
constexpr size_t kAddressCut = 58;
constexpr int kWaitMs = 50;
constexpr int kMaxTimedOutWaits = 20;
constexpr unsigned kClientSlots = 10;
constexpr uint32_t kCommandHeaderSize = 32;
constexpr uint32_t kMaxWriteData = 2015;
constexpr uint32_t kMaxReadData = kReceiveBufferSize - 4;

struct Connection {
  bool connected = false;
  int socket = -1;
  std::string host = "localhost";
  std::string port = "7184";
  uint8_t sendBuffer[kSendBufferSize];
  uint8_t receiveBuffer[kReceiveBufferSize];
  size_t toSend = 0;
  size_t expected = 0;
  size_t received = 0;
};

struct ClientEntry {
  uint32_t probeId = 0;
  uint32_t serverHandle = 0;
};

Connection g_conn;
ClientEntry g_clients[kClientSlots];

void put32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

uint32_t get32(const uint8_t* p) { return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

void disconnect() {
  if (g_conn.socket >= 0) close(g_conn.socket);
  g_conn.socket = -1;
  g_conn.connected = false;
  g_conn.toSend = 0;
}

bool valid_port(const std::string& text) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  long value = std::strtol(text.c_str(), nullptr, 10);
  return value >= 1 && value <= 65535;
}

// Reads "@host[:port]" or ":port". The port is kept whole and checked, and an
// over-long host is refused, rather than either being silently shortened.
uint32_t parse_address(const char* text) {
  g_conn.host = "localhost";
  g_conn.port = "7184";
  if (!text || (text[0] != '@' && text[0] != ':')) return PROBE_OK;
  std::string rest(text + 1);
  if (rest.size() > kAddressCut) rest.resize(kAddressCut);
  std::string first = rest.substr(0, rest.find(':'));
  std::string second;
  if (rest.find(':') != std::string::npos) {
    second = rest.substr(rest.find(':') + 1);
    second = second.substr(0, second.find(':'));
  }
  std::string host, port;
  if (text[0] == '@') {
    host = first;
    port = second;
  } else {
    port = first;
  }
  if (host.size() > kMaxHostLength) return PROBE_BAD_PARAMETER;
  if (!port.empty() && !valid_port(port)) return PROBE_BAD_PARAMETER;
  if (!host.empty()) g_conn.host = host;
  if (!port.empty()) g_conn.port = port;
  return PROBE_OK;
}

uint32_t connect_to_server(const char* address) {
  if (g_conn.connected) return PROBE_OK;
  uint32_t parsed = parse_address(address);
  if (parsed != PROBE_OK) return parsed;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  if (getaddrinfo(g_conn.host.c_str(), g_conn.port.c_str(), &hints, &found) == 0) {
    for (addrinfo* a = found; a; a = a->ai_next) {
      int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
      if (s < 0) continue;
      if (connect(s, a->ai_addr, a->ai_addrlen) == 0) {
        int one = 1;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        g_conn.socket = s;
        g_conn.connected = true;
        break;
      }
      close(s);
    }
    freeaddrinfo(found);
  }
  if (g_conn.connected) return PROBE_OK;
  std::printf("Pro-Bix server not running and don't know how to launch\n");
  std::fflush(stdout);
  return PROBE_SERVER_NOT_RUNNING;
}

// 1 = ready, 0 = timed out, -1 = error.
int wait_ready(bool forWrite) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(g_conn.socket, &set);
  timeval tv{0, kWaitMs * 1000};
  int r = select(g_conn.socket + 1, forWrite ? nullptr : &set, forWrite ? &set : nullptr, nullptr, &tv);
  if (r < 0 && errno == EINTR) return 0;
  return r < 0 ? -1 : (r == 0 ? 0 : 1);
}

// Bytes that arrive outside an exchange belong to no request (the tail of an
// overlong reply); they are dropped so the next reply is read in step.
bool drop_stale_bytes() {
  uint8_t scratch[256];
  for (;;) {
    ssize_t n = recv(g_conn.socket, scratch, sizeof scratch, MSG_DONTWAIT);
    if (n > 0) continue;
    if (n == 0) return false;
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
}

// Sends g_conn.toSend bytes of the send buffer and receives up to the expected reply size. Any transport failure ends the
// connection: a reply that comes late must never be read as the answer to
// the next request.
uint32_t exchange(size_t expected) {
  if (!g_conn.connected) return PROBE_SERVER_ERROR;
  g_conn.expected = expected;
  g_conn.received = 0;
  if (!drop_stale_bytes()) {
    disconnect();
    return PROBE_SERVER_ERROR;
  }
  size_t sent = 0;
  int timedOut = 0;
  while (g_conn.toSend > 0) {
    int w = wait_ready(true);
    if (w < 0) {
      disconnect();
      return PROBE_SERVER_ERROR;
    }
    if (w == 0) {
      if (++timedOut >= kMaxTimedOutWaits) {
        disconnect();
        return PROBE_TIMEOUT;
      }
      continue;
    }
    ssize_t n = send(g_conn.socket, g_conn.sendBuffer + sent, g_conn.toSend, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      disconnect();
      return PROBE_SERVER_ERROR;
    }
    sent += size_t(n);
    g_conn.toSend -= size_t(n);
  }
  timedOut = 0;
  while (g_conn.received < g_conn.expected) {
    int w = wait_ready(false);
    if (w < 0) {
      disconnect();
      return PROBE_SERVER_ERROR;
    }
    if (w == 0) {
      if (++timedOut >= kMaxTimedOutWaits) {
        disconnect();
        return PROBE_TIMEOUT;
      }
      continue;
    }
    ssize_t n = recv(g_conn.socket, g_conn.receiveBuffer + g_conn.received, kReceiveBufferSize - g_conn.received, 0);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      disconnect();
      return PROBE_SERVER_ERROR;
    }
    if (n == 0) break;
    g_conn.received += size_t(n);
  }
  if (g_conn.received < g_conn.expected) {
    // The server closed before the whole reply: a transport failure, not
    // a result, however much of the reply came.
    disconnect();
    return PROBE_SERVER_ERROR;
  }
  return PROBE_OK;
}

uint32_t reply_status() { return get32(g_conn.receiveBuffer); }

ClientEntry* find_client(uint32_t probeId) {
  for (auto& e : g_clients)
    if (e.probeId == probeId && probeId != 0) return &e;
  return nullptr;
}

}  // namespace

namespace probix_internal {

uint32_t server_device_count() {
  if (!g_conn.connected) return 0;
  g_conn.sendBuffer[0] = 1;
  g_conn.toSend = 1;
  if (exchange(4) != PROBE_OK) return 0;
  return reply_status();
}

uint32_t server_device_info2(uint8_t index, TDeviceInfo2* info, uint32_t size) {
  if (!g_conn.connected) return PROBE_SERVER_ERROR;
  if (!info) return PROBE_BAD_PARAMETER;
  if (size > kReceiveBufferSize - 4) return PROBE_SERVER_ERROR;
  uint8_t* b = g_conn.sendBuffer;
  b[0] = 2;
  b[1] = index;
  b[2] = b[3] = 0;
  put32(b + 4, size);
  g_conn.toSend = 8;
  uint32_t s = exchange(4 + size_t(size));
  if (s != PROBE_OK) return s;
  std::memset(info, 0, size);
  std::memcpy(info, g_conn.receiveBuffer + 4, std::min<size_t>(size, g_conn.received - 4));
  return reply_status();
}

}  // namespace probix_internal

uint32_t Probix_ReenumerateTcp(TEnumProbixInterface kind, uint8_t clear, const char* serverAddress,
                               uint32_t /*reserved*/) {
  if (kind != PROBIX_IF_SERVER) return PROBE_BAD_PARAMETER;
  uint32_t s = connect_to_server(serverAddress);
  if (s != PROBE_OK) return s;
  g_conn.sendBuffer[0] = 0;
  g_conn.sendBuffer[1] = clear;
  g_conn.toSend = 2;
  s = exchange(4);
  return s == PROBE_OK ? reply_status() : s;
}

uint32_t Probix_OpenDeviceTcp(TEnumProbixInterface kind, uint32_t probeId, uint8_t accessFlag) {
  if (kind != PROBIX_IF_SERVER) return PROBE_BAD_PARAMETER;
  if (!g_conn.connected) return PROBE_SERVER_ERROR;
  if (probeId == 0) return PROBE_BAD_PARAMETER;
  ClientEntry* entry = find_client(probeId);
  if (!entry)
    for (auto& e : g_clients)
      if (e.probeId == 0) {
        entry = &e;
        break;
      }
  if (!entry) return PROBE_BAD_PARAMETER;
  uint8_t* b = g_conn.sendBuffer;
  std::memset(b, 0, 12);
  b[0] = 3;
  put32(b + 4, probeId);
  b[8] = accessFlag;
  g_conn.toSend = 12;
  uint32_t s = exchange(8);
  if (s != PROBE_OK) return s;
  uint32_t status = reply_status();
  uint32_t serverHandle = get32(g_conn.receiveBuffer + 4);
  if (status != PROBE_OK) return status;
  // Handle 0 marks "no device"; an entry holding it could never be closed.
  if (serverHandle == 0) return PROBE_SERVER_ERROR;
  entry->probeId = probeId;
  entry->serverHandle = serverHandle;
  return PROBE_OK;
}

uint32_t Probix_CloseDeviceTcp(uint32_t probeId, uint8_t flag) {
  if (probeId == 0 || flag != 0) return PROBE_BAD_PARAMETER;
  ClientEntry* entry = find_client(probeId);
  if (!entry || entry->serverHandle == 0) return PROBE_BAD_PARAMETER;
  uint32_t result = PROBE_SERVER_ERROR;
  if (g_conn.connected) {
    uint8_t* b = g_conn.sendBuffer;
    std::memset(b, 0, 8);
    b[0] = 4;
    put32(b + 4, entry->serverHandle);
    g_conn.toSend = 8;
    uint32_t s = exchange(4);
    result = s == PROBE_OK ? reply_status() : s;
  }
  // The entry goes in any case: a lost connection took the server side with it.
  size_t at = size_t(entry - g_clients);
  for (size_t i = at; i + 1 < kClientSlots; ++i) g_clients[i] = g_clients[i + 1];
  g_clients[kClientSlots - 1] = ClientEntry{};
  if (g_clients[0].probeId == 0) disconnect();
  return result;
}

uint32_t Probix_SendCommandTcp(uint32_t probeId, TDeviceRequest* request, uint32_t /*timeoutMs*/) {
  ClientEntry* entry = find_client(probeId);
  if (!entry) return PROBE_BAD_PARAMETER;
  if (!request) return 0;
  if (!g_conn.connected) return PROBE_SERVER_ERROR;
  const bool write = request->accessType == PROBIX_ACCESS_WRITE;
  if (request->bufferLength > (write ? kMaxWriteData : kMaxReadData)) return PROBE_SERVER_ERROR;
  if (request->bufferLength != 0 && !request->buffer) return PROBE_BAD_PARAMETER;
  uint8_t* b = g_conn.sendBuffer;
  std::memset(b, 0, kCommandHeaderSize);
  b[0] = 5;
  put32(b + 4, entry->serverHandle);
  std::memcpy(b + 8, request->cdb, 16);
  b[24] = request->accessType;
  put32(b + 28, request->bufferLength);
  g_conn.toSend = kCommandHeaderSize;
  if (write && request->bufferLength) {
    std::memcpy(b + kCommandHeaderSize, request->buffer, request->bufferLength);
    g_conn.toSend += request->bufferLength;
  }
  uint32_t s = exchange(write ? 4 : 4 + size_t(request->bufferLength));
  if (s != PROBE_OK) return s;
  if (!write && request->bufferLength)
    std::memcpy(request->buffer, g_conn.receiveBuffer + 4,
                std::min<size_t>(request->bufferLength, g_conn.received - 4));
  return reply_status();
}

uint32_t Probix_GetNumOfDeviceClientsTcp(uint32_t probeId) {
  if (probeId == 0 || !g_conn.connected) return 0;
  uint8_t* b = g_conn.sendBuffer;
  std::memset(b, 0, 8);
  b[0] = 7;
  put32(b + 4, probeId);
  g_conn.toSend = 8;
  if (exchange(4) != PROBE_OK) return 0;
  return reply_status();
}
