// The phone link server over real loopback sockets, with an independent MQTT client as the phone.
#include "networking/lightmqtt.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "inprocesshost.h"
#include "net/netservice.h"
#include "networking/message.h"
#include "networking/messagecallbacks.h"
#include "threads/threadservice.h"

namespace {

class Recorder : public MessageCallbacks {
 public:
  void OnMessage(PublishMessage& m) override { kinds[m.GetKind() < 200 ? m.GetKind() : 199]++; }
  std::atomic<int> kinds[200] = {};
};

template <typename F>
bool WaitFor(F done) {
  for (int i = 0; i < 300 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return done();
}

class LightMQTTTest : public InProcessHostTest {
 protected:
  int StartServer() {
    LightMQTTSettings settings;
    settings.port = 0;
    server_->Configure("127.0.0.1", settings);
    server_->AddCallback(&recorder_);
    EXPECT_TRUE(server_->StartThread());
    EXPECT_TRUE(WaitFor([&] { return server_->HasListener(); }));
    return H().net().LastListenerPort();
  }
  int RawConnect(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    return fd;
  }
  void TearDown() override {
    server_->Stop();
    server_.reset();
    EXPECT_EQ(H().threads().RunningCount(), 0u);
    EXPECT_EQ(H().net().OpenCount(), 0u);
    InProcessHostTest::TearDown();
  }
  Recorder recorder_;
  // Goes before the host whose threads and sockets it uses.
  std::unique_ptr<LightMQTT> server_ = std::make_unique<LightMQTT>();
};

TEST_F(LightMQTTTest, PahoClientConnectsPublishesPingsAndDisconnects) {
  const int port = StartServer();
  // Kind 5 has no body: it reaches the receiver as soon as it is parsed.
  const std::string cmd =
      "/usr/bin/python3 " KINETRA_SUPPORT_DIR "/mqttpeer.py " + std::to_string(port) + " 5";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_TRUE(WaitFor([&] { return recorder_.kinds[102] >= 1; }));  // connected
  EXPECT_GE(recorder_.kinds[101].load(), 1);                        // pinged
  EXPECT_GE(recorder_.kinds[5].load(), 2);                          // the published one and DISCONNECT
}

TEST_F(LightMQTTTest, GarbageAndHugeLengthPeersAreDroppedAndTheNextPhoneIsServed) {
  const int port = StartServer();
  const int garbage = RawConnect(port);
  const unsigned char junk[] = {0x00, 0xF0, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01};
  ASSERT_EQ(::send(garbage, junk, sizeof junk, 0), static_cast<ssize_t>(sizeof junk));
  const int huge = RawConnect(port);
  const unsigned char announce[] = {0x30, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x02, 'A', 'R'};
  ASSERT_EQ(::send(huge, announce, sizeof announce, 0), static_cast<ssize_t>(sizeof announce));
  ::close(huge);
  const int good = RawConnect(port);
  const unsigned char connect[] = {0x10, 0x02, 0x00, 0x00};
  ASSERT_EQ(::send(good, connect, sizeof connect, 0), 4);
  unsigned char connack[4] = {};
  ASSERT_EQ(::recv(good, connack, 4, MSG_WAITALL), 4);
  EXPECT_EQ(connack[0], 0x20);
  EXPECT_EQ(connack[1], 0x02);
  ::close(garbage);
  ::close(good);
}

}  // namespace
