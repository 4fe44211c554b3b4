// The probe server client: against probe-server (over the simulated bus) and
// against a scripted server. Each case runs in its own process, since the
// connection and the client table are library-wide.
#include <fcntl.h>

#include <cstring>
#include <string>

#include "check.h"
#include "probe_request.h"
#include "probe_ids.h"
#include "probix/probe_usb_driver.h"
#include "tcp_helpers.h"

using namespace tcptest;

namespace {

std::string sim_devices() {
  char text[256];
  uint16_t plain = 0;
  for (uint16_t pid : probix_ids::kProductIds)
    if (pid != probix_ids::kOldModelId && pid != probix_ids::kSecondInterfaceId) plain = pid;
  std::snprintf(text, sizeof text, "1:4:%x:%x:PLAIN-SERIAL-0123456789A;1:7:%x:%x:TWOIF-SERIAL-0123456789A:2",
                probix_ids::kVendorId, plain, probix_ids::kVendorId, probix_ids::kSecondInterfaceId);
  return text;
}

std::string at_port(int port, const char* host = "127.0.0.1") { return "@" + std::string(host) + ":" + std::to_string(port); }

// Connects and returns the probe identifier of the server's entry `index`.
uint32_t connect_and_pick(int port, uint8_t index, TDeviceInfo2* out = nullptr) {
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, (":" + std::to_string(port)).c_str(), 0), PROBE_OK);
  TDeviceInfo2 info{};
  CHECK_EQ(Probix_GetDeviceInfo2(2, index, &info, sizeof info), PROBE_OK);
  if (out) *out = info;
  return info.reserved;
}

Bytes open_reply(uint32_t status, uint32_t handle) { return cat(word(status), word(handle)); }

}  // namespace

TEST(server_serves_probes_end_to_end) {
  ServerProcess server(sim_devices());
  CHECK(server.port() > 0);
  CHECK_EQ(Probix_ReenumerateTcp(2, 1, at_port(server.port()).c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(2), 3u);  // two on interface 0, one on interface 1
  TDeviceInfo2 info{};
  CHECK_EQ(Probix_GetDeviceInfo2(2, 0, &info, sizeof info), PROBE_OK);
  CHECK_EQ(std::string(info.enumUniqueId, 24), "PLAIN-SERIAL-0123456789A");
  CHECK_EQ(info.vendorId, probix_ids::kVendorId);
  CHECK_EQ(Probix_GetDeviceInfo2(2, 3, &info, sizeof info), PROBE_BAD_PARAMETER);
  uint8_t larger[50];
  CHECK_EQ(Probix_GetDeviceInfo2(2, 0, reinterpret_cast<TDeviceInfo2*>(larger), sizeof larger), PROBE_RECORD_TOO_LARGE);
  uint32_t id = connect_and_pick(server.port(), 0);
  CHECK(id != 0);

  CHECK_EQ(Probix_OpenDeviceTcp(2, id, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNumOfDeviceClientsTcp(id), 1u);

  // The largest write and read the protocol carries, through to the probe and back.
  Bytes payload(2015);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = uint8_t(i * 13 + 5);
  TDeviceRequest store = request(PROBIX_ACCESS_WRITE, 0xA1, payload.data(), 2015);
  store.cdb[1] = uint8_t(2015 & 0xff);
  store.cdb[2] = uint8_t(2015 >> 8);
  CHECK_EQ(Probix_SendCommandTcp(id, &store, 0), PROBE_OK);
  Bytes back(2015, 0);
  TDeviceRequest load = request(PROBIX_ACCESS_READ, 0xA2, back.data(), 2015);
  CHECK_EQ(Probix_SendCommandTcp(id, &load, 0), PROBE_OK);
  CHECK(back == payload);
  Bytes big(10236, 0);
  TDeviceRequest pattern = request(PROBIX_ACCESS_READ, 0x5C, big.data(), 10236);
  CHECK_EQ(Probix_SendCommandTcp(id, &pattern, 0), PROBE_OK);
  CHECK_EQ(big[10235], uint8_t(0x5C ^ (10235 & 0xff)));

  // Over the limits: refused before anything is sent.
  Bytes tooBig(10237);
  TDeviceRequest w2016 = request(PROBIX_ACCESS_WRITE, 0x01, tooBig.data(), 2016);
  TDeviceRequest r10237 = request(PROBIX_ACCESS_READ, 0x01, tooBig.data(), 10237);
  CHECK_EQ(Probix_SendCommandTcp(id, &w2016, 0), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_SendCommandTcp(id, &r10237, 0), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_SendCommandTcp(id, nullptr, 0), 0u);
  CHECK_EQ(Probix_SendCommandTcp(id + 100, &load, 0), PROBE_BAD_PARAMETER);

  // The last close ends the connection.
  CHECK_EQ(Probix_CloseDeviceTcp(id, 1), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDeviceTcp(id, 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(2), 0u);
  CHECK_EQ(Probix_OpenDeviceTcp(2, id, 0), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_SendCommandTcp(id, &load, 0), PROBE_BAD_PARAMETER);
}

TEST(server_shares_a_probe_between_clients) {
  ServerProcess server(sim_devices());
  uint32_t id = connect_and_pick(server.port(), 0);
  CHECK_EQ(Probix_OpenDeviceTcp(2, id, 0), PROBE_OK);

  int raw = connect_loopback(server.port());
  CHECK(raw >= 0);
  auto ask = [&](Bytes rq, size_t replySize) {
    send(raw, rq.data(), rq.size(), MSG_NOSIGNAL);
    return read_n(raw, replySize, 2000);
  };
  // Exclusive access is refused while another client has the probe.
  Bytes r = ask(cat(Bytes{3, 0, 0, 0}, cat(word(id), Bytes{1, 0, 0, 0})), 8);
  CHECK_EQ(get32(r.data()), PROBE_ACCESS_DENIED);
  r = ask(cat(Bytes{3, 0, 0, 0}, cat(word(id), Bytes{0, 0, 0, 0})), 8);
  CHECK_EQ(get32(r.data()), PROBE_OK);
  uint32_t rawHandle = get32(r.data() + 4);
  CHECK(rawHandle != 0);
  CHECK_EQ(Probix_GetNumOfDeviceClientsTcp(id), 2u);
  TDeviceInfo2 info{};
  CHECK_EQ(Probix_GetDeviceInfo2(2, 0, &info, sizeof info), PROBE_OK);
  CHECK_EQ(info.deviceUsed, 1);

  // Both clients drive the probe: what one stores, the other loads.
  Bytes store = cat(Bytes{5, 0, 0, 0}, word(rawHandle));
  Bytes cdb(16, 0);
  cdb[0] = 0xA1;
  cdb[1] = 3;
  store = cat(cat(store, cdb), cat(Bytes{0, 0, 0, 0}, word(3)));
  store = cat(store, Bytes{'a', 'b', 'c'});
  r = ask(store, 4);
  CHECK_EQ(get32(r.data()), PROBE_OK);
  uint8_t back[3] = {};
  TDeviceRequest load = request(PROBIX_ACCESS_READ, 0xA2, back, 3);
  CHECK_EQ(Probix_SendCommandTcp(id, &load, 0), PROBE_OK);
  CHECK(std::memcmp(back, "abc", 3) == 0);

  r = ask(Bytes{6, 1, 0, 0}, 16);
  CHECK_EQ(r.size(), size_t(16));
  CHECK_EQ(r[0], 1);

  // A client that goes away gives up its probes.
  close(raw);
  uint32_t clients = 2;
  for (int i = 0; i < 50 && clients != 1; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clients = Probix_GetNumOfDeviceClientsTcp(id);
  }
  CHECK_EQ(clients, 1u);
  CHECK_EQ(Probix_GetNumOfDeviceClientsTcp(0), 0u);

  // The second-interface entry reads its trace stream (access type 3).
  TDeviceInfo2 second{};
  CHECK_EQ(Probix_GetDeviceInfo2(2, 2, &second, sizeof second), PROBE_OK);
  CHECK_EQ(second.productId, probix_ids::kSecondInterfaceId);
  CHECK_EQ(Probix_OpenDeviceTcp(2, second.reserved, 1), PROBE_OK);
  uint8_t trace[8] = {};
  TDeviceRequest tr = request(PROBIX_ACCESS_READ_2, 0, trace, 8);
  CHECK_EQ(Probix_SendCommandTcp(second.reserved, &tr, 0), PROBE_OK);
  CHECK_EQ(trace[7], 7);
  CHECK_EQ(Probix_CloseDeviceTcp(second.reserved, 0), PROBE_OK);
  CHECK_EQ(Probix_CloseDeviceTcp(id, 0), PROBE_OK);
}

TEST(address_keeps_the_whole_port) {
  ServerProcess server(sim_devices());
  // A five-digit port is used as written, with a host or without one.
  for (std::string address : {at_port(server.port()), at_port(server.port(), "localhost"),
                              ":" + std::to_string(server.port())}) {
    CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_OK);
    TDeviceInfo2 info{};
    CHECK_EQ(Probix_GetDeviceInfo2(2, 0, &info, sizeof info), PROBE_OK);
    CHECK_EQ(Probix_OpenDeviceTcp(2, info.reserved, 0), PROBE_OK);
    CHECK_EQ(Probix_CloseDeviceTcp(info.reserved, 0), PROBE_OK);  // last one: disconnects
    CHECK_EQ(Probix_GetNbDevices(2), 0u);
  }
}

TEST(address_text_that_cannot_be_used_is_refused) {
  ScriptedServer nobody({});
  std::string p = std::to_string(nobody.port());
  const std::string longHost(51, 'h');
  const std::string cases[] = {"@127.0.0.1:0",   "@127.0.0.1:65536", "@127.0.0.1:123456", ":12a4",
                               ":-1",            ":+80",             "@" + longHost + ":" + p,
                               ":" + p + "0000", "@127.0.0.1: 80"};
  for (const std::string& address : cases) {
    CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_BAD_PARAMETER);
  }
  nobody.finish();
  CHECK_EQ(nobody.accepted, 0);
}

TEST(no_server_running) {
  int port = 0;
  int fd = listen_loopback(&port);
  close(fd);  // nothing listens there now
  // Capture standard output to read the library's one line.
  std::fflush(stdout);
  int saved = dup(1);
  char path[] = "/tmp/probe-stdout-XXXXXX";
  int tmp = mkstemp(path);
  dup2(tmp, 1);
  uint32_t status = Probix_ReenumerateTcp(2, 0, (":" + std::to_string(port)).c_str(), 0);
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  char text[200] = {};
  if (pread(tmp, text, sizeof text - 1, 0) < 0) text[0] = '\0';
  close(tmp);
  unlink(path);
  CHECK_EQ(status, PROBE_SERVER_NOT_RUNNING);
  CHECK_EQ(std::string(text), "Pro-Bix server not running and don't know how to launch\n");

  // Without a connection nothing is sent and nothing connects.
  TDeviceInfo2 info{};
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0, nullptr, 0);
  CHECK_EQ(Probix_GetNbDevices(2), 0u);
  CHECK_EQ(Probix_GetDeviceInfo2(2, 0, &info, sizeof info), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 1, 0), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_OpenDeviceTcp(0, 1, 0), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_SendCommandTcp(1, &rq, 0), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_CloseDeviceTcp(1, 0), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_GetNumOfDeviceClientsTcp(1), 0u);
  CHECK_EQ(Probix_ReenumerateTcp(1, 0, nullptr, 0), PROBE_BAD_PARAMETER);
}

TEST(short_replies_and_early_close) {
  ScriptedServer s({
      {{2, word(PROBE_OK)}, {1, Bytes{3, 0}, 0, true}},              // count cut short
      {{2, word(PROBE_OK)}, {12, word(PROBE_OK), 0, true}},          // open reply without its handle
      {{2, {}, 0, true}},                                             // closes without replying
  });
  std::string address = ":" + std::to_string(s.port());
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_GetNbDevices(2), 0u);
  TDeviceInfo2 info{};
  CHECK_EQ(Probix_GetDeviceInfo2(2, 0, &info, sizeof info), PROBE_SERVER_ERROR);  // connection gone

  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 9, 0), PROBE_SERVER_ERROR);
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0, nullptr, 0);
  CHECK_EQ(Probix_SendCommandTcp(9, &rq, 0), PROBE_BAD_PARAMETER);  // nothing was stored

  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_SERVER_ERROR);
  s.finish();
  CHECK_EQ(s.accepted, 3);
}

TEST(read_replies_cut_short_or_overlong) {
  Bytes data64(64);
  for (int i = 0; i < 64; ++i) data64[i] = uint8_t(200 - i);
  ScriptedServer s({
      {{2, word(PROBE_OK)},
       {12, open_reply(PROBE_OK, 77)},
       {32, cat(word(PROBE_OK), Bytes(data64.begin(), data64.begin() + 10)), 0, true}},
      {{2, word(PROBE_OK)},
       {12, open_reply(PROBE_OK, 78)},
       {32, cat(cat(word(PROBE_OK), data64), Bytes(100, 0xEE))},  // 100 bytes too many
       {8, word(2)}},
  });
  std::string address = ":" + std::to_string(s.port());
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 5, 0), PROBE_OK);
  Bytes buf(64, 0x11);
  TDeviceRequest rq = request(PROBIX_ACCESS_READ, 0x42, buf.data(), 64);
  // The connection closed mid-reply: an error, and the caller's buffer is left alone.
  CHECK_EQ(Probix_SendCommandTcp(5, &rq, 0), PROBE_SERVER_ERROR);
  CHECK(buf == Bytes(64, 0x11));

  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 5, 0), PROBE_OK);  // same entry, new server handle
  std::fill(buf.begin(), buf.end(), 0);
  CHECK_EQ(Probix_SendCommandTcp(5, &rq, 0), PROBE_OK);
  CHECK(buf == data64);
  // The surplus is not taken as the next reply.
  CHECK_EQ(Probix_GetNumOfDeviceClientsTcp(5), 2u);
  CHECK_EQ(Probix_CloseDeviceTcp(5, 0), PROBE_SERVER_ERROR);  // script ended: no reply; entry still goes
  s.finish();
  // The read request carried the server handle of the second open.
  CHECK_EQ(s.requests.size(), size_t(7));
  CHECK_EQ(get32(s.requests[5].data() + 4), 78u);
  CHECK_EQ(s.requests[5][8], 0x42);
  CHECK_EQ(s.requests[5][24], PROBIX_ACCESS_READ);
  CHECK_EQ(get32(s.requests[5].data() + 28), 64u);
}

TEST(late_reply_is_a_timeout_and_is_never_read_later) {
  ScriptedServer s({
      {{2, word(PROBE_OK), 1400}},
      {{2, word(0x1234)}},
  });
  std::string address = ":" + std::to_string(s.port());
  auto t0 = std::chrono::steady_clock::now();
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), PROBE_TIMEOUT);
  auto waited = std::chrono::steady_clock::now() - t0;
  CHECK(waited >= std::chrono::milliseconds(900));
  // A new connection; the server's own result word comes back unchanged.
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, address.c_str(), 0), 0x1234u);
  s.finish();
  CHECK_EQ(s.accepted, 2);
}

TEST(malformed_open_reply_is_not_stored) {
  ScriptedServer s({{{2, word(PROBE_OK)},
                     {12, open_reply(PROBE_OK, 0)},
                     {12, open_reply(PROBE_ACCESS_DENIED, 0)},
                     {12, open_reply(0x7777, 5)}}});
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, (":" + std::to_string(s.port())).c_str(), 0), PROBE_OK);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 3, 0), PROBE_SERVER_ERROR);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 3, 1), PROBE_ACCESS_DENIED);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 3, 0), 0x7777u);
  CHECK_EQ(Probix_CloseDeviceTcp(3, 0), PROBE_BAD_PARAMETER);
  s.finish();
  CHECK_EQ(s.requests[1][8], 0);
  CHECK_EQ(s.requests[2][8], 1);
  CHECK_EQ(get32(s.requests[1].data() + 4), 3u);
}

TEST(request_limits_and_bounded_copies) {
  Bytes infoBytes(10236, 0x44);
  ScriptedServer s({{{2, word(PROBE_OK)},
                     {8, cat(word(PROBE_OK), Bytes(20, 0x55))},
                     {8, cat(word(PROBE_RECORD_TOO_LARGE), infoBytes)},
                     {12, open_reply(PROBE_OK, 9)},
                     {32 + 2015, word(PROBE_OK)}}});
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, (":" + std::to_string(s.port())).c_str(), 0), PROBE_OK);
  Bytes buf(10300, 0xEE);
  auto* info = reinterpret_cast<TDeviceInfo2*>(buf.data());
  CHECK_EQ(Probix_GetDeviceInfo2(2, 1, info, 10237), PROBE_SERVER_ERROR);  // cannot fit the reply buffer
  CHECK_EQ(buf[0], 0xEE);
  CHECK_EQ(Probix_GetDeviceInfo2(2, 1, info, 20), PROBE_OK);
  CHECK_EQ(buf[19], 0x55);
  CHECK_EQ(buf[20], 0xEE);  // a record of 20 bytes gets 20 bytes
  CHECK_EQ(Probix_GetDeviceInfo2(2, 2, info, 10236), PROBE_RECORD_TOO_LARGE);
  CHECK_EQ(buf[10235], 0x44);
  CHECK_EQ(buf[10236], 0xEE);

  CHECK_EQ(Probix_OpenDeviceTcp(2, 4, 0), PROBE_OK);
  Bytes data(2016, 0x66);
  TDeviceRequest w = request(PROBIX_ACCESS_WRITE, 0x10, data.data(), 2016);
  CHECK_EQ(Probix_SendCommandTcp(4, &w, 0), PROBE_SERVER_ERROR);
  TDeviceRequest nullData = request(PROBIX_ACCESS_WRITE, 0x10, nullptr, 10);
  CHECK_EQ(Probix_SendCommandTcp(4, &nullData, 0), PROBE_BAD_PARAMETER);
  w.bufferLength = 2015;
  CHECK_EQ(Probix_SendCommandTcp(4, &w, 0), PROBE_OK);
  s.finish();
  CHECK_EQ(s.requests[1], (Bytes{2, 1, 0, 0, 20, 0, 0, 0}));
  CHECK_EQ(get32(s.requests[2].data() + 4), 10236u);
  CHECK_EQ(s.requests[4].size(), size_t(32 + 2015));
  CHECK_EQ(s.requests[4][32 + 2014], 0x66);
  CHECK_EQ(s.extraBytes, size_t(0));  // the refused requests sent nothing
}

TEST(client_table_of_ten_entries) {
  std::vector<Step> steps = {{2, word(PROBE_OK)}};
  for (uint32_t i = 1; i <= 10; ++i) steps.push_back({12, open_reply(PROBE_OK, 100 + i)});
  steps.push_back({12, open_reply(PROBE_OK, 200)});  // id 4 opened again
  steps.push_back({8, word(PROBE_OK)});              // close id 3
  steps.push_back({32, word(PROBE_OK)});             // command to id 4
  for (uint32_t i = 0; i < 9; ++i) steps.push_back({8, word(PROBE_OK)});
  ScriptedServer s({steps});
  CHECK_EQ(Probix_ReenumerateTcp(2, 0, (":" + std::to_string(s.port())).c_str(), 0), PROBE_OK);
  for (uint32_t id = 1; id <= 10; ++id) CHECK_EQ(Probix_OpenDeviceTcp(2, id, 0), PROBE_OK);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 11, 0), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 0, 0), PROBE_BAD_PARAMETER);
  CHECK_EQ(Probix_OpenDeviceTcp(2, 4, 0), PROBE_OK);
  CHECK_EQ(Probix_CloseDeviceTcp(3, 0), PROBE_OK);
  CHECK_EQ(Probix_CloseDeviceTcp(3, 0), PROBE_BAD_PARAMETER);
  TDeviceRequest rq = request(PROBIX_ACCESS_WRITE, 0x01, nullptr, 0);
  CHECK_EQ(Probix_SendCommandTcp(4, &rq, 0), PROBE_OK);
  for (uint32_t id : {1u, 2u, 4u, 5u, 6u, 7u, 8u, 9u, 10u}) CHECK_EQ(Probix_CloseDeviceTcp(id, 0), PROBE_OK);
  s.finish();
  CHECK_EQ(s.requests.size(), size_t(23));
  CHECK_EQ(get32(s.requests[12].data() + 4), 103u);  // close of id 3 carried its handle
  CHECK_EQ(get32(s.requests[13].data() + 4), 200u);  // id 4 uses its newest handle
  CHECK_EQ(get32(s.requests[22].data() + 4), 110u);
  CHECK(s.lastSawClose);  // the last close ended the connection
}

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  return check::run(argc, argv);
}
