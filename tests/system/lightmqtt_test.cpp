// The phone link server over real loopback sockets, with an independent MQTT client or raw bytes as the
// phone: the session, packets the link does not serve, kinds that never travel, goodbyes and bursts.
#include <fcntl.h>
#include <poll.h>

#include <cstdlib>

#include "lightmqtttest.h"

namespace {

std::string PeerCommand(int port, scn::UInt32 kind, const std::string& options = "") {
  return "/usr/bin/python3 " KINETRA_SUPPORT_DIR "/mqttpeer.py " + std::to_string(port) + " " +
         std::to_string(kind) + " " + options;
}

TEST_F(LightMQTTTest, PahoClientConnectsPublishesPingsAndDisconnects) {
  const int port = StartServer();
  // Kind 5 has no body: it reaches the receiver as soon as it is parsed.
  ASSERT_EQ(std::system(PeerCommand(port, 5).c_str()), 0);
  EXPECT_TRUE(WaitFor([&] { return recorder_.Count(ConnectedMsg::kKind) >= 1; }));
  EXPECT_GE(recorder_.Count(PingMsg::kKind), 1);
  EXPECT_TRUE(WaitFor([&] { return recorder_.Count(5) >= 2; }));  // the published one and DISCONNECT
}

// A generic client's SUBSCRIBE is a packet the link does not serve: skipped whole, its topic bytes are
// never taken for packet starts ("1" would start a PUBLISH of 122 bytes that swallows what follows).
TEST_F(LightMQTTTest, AGenericClientsSubscribeIsSkippedWhole) {
  const int port = StartServer();
  ASSERT_EQ(std::system(PeerCommand(port, 6, "--subscribe 1z").c_str()), 0);
  EXPECT_TRUE(WaitFor([&] { return recorder_.Count(5) >= 1; })) << "DISCONNECT";
  EXPECT_EQ(recorder_.Count(6), 1) << "the PUBLISH after the SUBSCRIBE";
  EXPECT_GE(recorder_.Count(PingMsg::kKind), 1);
}

TEST_F(LightMQTTTest, UnservedPacketsOfEveryShapeAreSkippedWhole) {
  const int port = StartServer();
  RawPhone phone(port);
  const Bytes unserved = Join({
      {0x82, 0x07, 0x00, 0x01, 0x00, 0x02, '1', 'z', 0x00},  // SUBSCRIBE "1z"
      {0x20, 0x02, 0x30, 0x06},                              // CONNACK whose body looks like a header
      {0x40, 0x02, 0x00, 0x01},                              // PUBACK
      {0xC0, 0x01, 0x30},                                    // PINGREQ with a body it should not have
      {0x92, 0x80, 0x01},                                    // SUBACK of 128 bytes...
      Bytes(128, 0x30),                                      // ... all of them PUBLISH starts
  });
  ASSERT_TRUE(phone.Send(Join({unserved, Publish(6, {})})));
  EXPECT_TRUE(WaitFor([&] { return recorder_.Count(6) == 1; }));
  EXPECT_EQ(recorder_.Count(PingMsg::kKind), 1);
  EXPECT_EQ(phone.Receive(2), (Bytes{0xD0, 0x00})) << "PINGRESP";
}

// Progress, ping, connected and ping response are the link's own news: a phone cannot fake them.
TEST_F(LightMQTTTest, LocalKindsFromTheWireAreRefused) {
  const int port = StartServer();
  RawPhone phone(port);
  for (scn::UInt32 kind = 100; kind <= 103; ++kind) ASSERT_TRUE(phone.Send(Publish(kind, {})));
  ASSERT_TRUE(phone.Send(Publish(6, {})));  // a kind that travels, as a marker
  ASSERT_TRUE(WaitFor([&] { return recorder_.Count(6) == 1; }));
  for (scn::UInt32 kind = 100; kind <= 103; ++kind) EXPECT_EQ(recorder_.Count(kind), 0) << kind;
}

TEST_F(LightMQTTTest, StopSaysGoodbyeToThePhone) {
  const int port = StartServer();
  RawPhone phone(port);
  ASSERT_TRUE(phone.Connect());
  server_->Stop();
  EXPECT_EQ(phone.Receive(2), (Bytes{0xE0, 0x00})) << "DISCONNECT";
  EXPECT_TRUE(phone.ReceivesEnd());
}

TEST_F(LightMQTTTest, GarbageAndHugeLengthPeersAreDroppedAndTheNextPhoneIsServed) {
  const int port = StartServer();
  RawPhone garbage(port);
  ASSERT_TRUE(garbage.Send({0x00, 0xF0, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}));
  {
    RawPhone huge(port);
    ASSERT_TRUE(huge.Send({0x30, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x02, 'A', 'R'}));
  }
  RawPhone good(port);
  EXPECT_TRUE(good.Connect());
}

// A phone that connects while the listener is busy is queued by the system. Its handshake finishes at
// once; one the listener had no room for would wait a second for its SYN to be sent again.
TEST_F(LightMQTTTest, ABurstOfPhonesIsQueuedNotTurnedAway) {
  const int port = StartServer();
  constexpr int kBurst = 64;
  std::vector<pollfd> phones;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (int i = 0; i < kBurst; ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const int r = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ASSERT_TRUE(r == 0 || errno == EINPROGRESS);
    phones.push_back({fd, POLLOUT, 0});
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  int connected = 0;
  while (connected < kBurst && std::chrono::steady_clock::now() < deadline) {
    ::poll(phones.data(), phones.size(), 20);
    connected = 0;
    for (const pollfd& p : phones) connected += (p.revents & POLLOUT) != 0;
  }
  EXPECT_EQ(connected, kBurst) << "handshakes done before the first SYN was sent again";
  for (const pollfd& p : phones) ::close(p.fd);
}

}  // namespace
