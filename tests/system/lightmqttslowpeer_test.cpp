// Phones that are slow or pause: a trickle of bytes holds neither the next phone nor Stop, and a message
// that stalls halfway is continued, never re-read from its middle.
#include <atomic>

#include "lightmqtttest.h"

namespace {

// A phone that sends a prefix, then one byte every 0.3 s on a thread of its own, until it has sent them all
// or its link is closed.
class Trickler {
 public:
  static constexpr int kBytes = 20;  // 6 s

  Trickler(int port, const Bytes& prefix, std::uint8_t byte) : phone_(port) {
    thread_ = std::thread([this, prefix, byte] {
      if (!phone_.Send(prefix)) return;
      for (int i = 0; i < kBytes && !stop_; ++i) {
        if (!phone_.Send({byte})) return;
        ++sent_;
        Pause(300);
      }
      finished_ = true;
    });
  }
  ~Trickler() {
    stop_ = true;
    thread_.join();
  }

  int Sent() const { return sent_; }
  // Whether it sent every byte: the server waited for it to give up.
  bool Finished() const { return finished_; }

 private:
  RawPhone phone_;
  std::atomic<int> sent_{0};
  std::atomic<bool> finished_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct SlowCase {
  const char* what;
  Bytes prefix;
  std::uint8_t byte;
};

const SlowCase kSlowCases[] = {
    {"inside a PUBLISH that claims 1 MB", {0x30, 0x80, 0x80, 0x40, 0x00, 0x02, 'A', 'R'}, 'x'},
    {"bytes that start no packet", {}, 0x00},
};

TEST_F(LightMQTTTest, ATricklingPhoneDoesNotHoldTheNextPhone) {
  const int port = StartServer();
  for (const SlowCase& c : kSlowCases) {
    SCOPED_TRACE(c.what);
    Trickler slow(port, c.prefix, c.byte);
    ASSERT_TRUE(WaitFor([&] { return slow.Sent() >= 2; }));
    RawPhone next(port);
    EXPECT_TRUE(next.Connect());
    EXPECT_FALSE(slow.Finished()) << "the next phone was served only once the slow one gave up";
  }
}

TEST_F(LightMQTTTest, ATricklingPhoneDoesNotHoldStop) {
  for (const SlowCase& c : kSlowCases) {
    SCOPED_TRACE(c.what);
    const int port = StartServer();
    Trickler slow(port, c.prefix, c.byte);
    ASSERT_TRUE(WaitFor([&] { return slow.Sent() >= 2; }));
    server_->Stop();
    EXPECT_FALSE(slow.Finished()) << "Stop returned only once the slow phone gave up";
    EXPECT_EQ(H().threads().RunningCount(), 0u);
  }
}

// More than the host's read time-out of a second passes in the middle of a preview whose picture is all
// PUBLISH starts; the same preview follows at once.
TEST_F(LightMQTTTest, APauseInsideALargeMessageLosesNothing) {
  MakeFolder("Smile");
  const int port = StartServer();
  RawPhone phone(port);
  const std::string picture(20000, '\x30');
  const Bytes preview = Publish(3, PreviewBody("Smile", picture));
  ASSERT_TRUE(phone.SendInParts(preview, {9000}, 1300));
  ASSERT_TRUE(phone.Send(preview));
  EXPECT_TRUE(WaitFor([&] { return recorder_.Count(3) == 2; })) << recorder_.Count(3) << " previews";
  EXPECT_TRUE(File("Smile", "preview.jpg") == picture) << "preview.jpg as sent";
}

}  // namespace
