// A phone link's life beyond single packets: progress of large messages, links that die, and the memory a
// large message leaves behind.
#include "lightmqtttest.h"

namespace {

// Remaining length of a preview of "Smile": topic 4, kind 4, name 7, present 1, file block 4 + n.
constexpr std::size_t kPreviewOverhead = 20;

struct ProgressCase {
  const char* what;
  std::size_t pictureBytes;
  std::vector<std::size_t> cuts;  // offsets at which the phone pauses
  std::vector<scn::UInt32> progress;
};

const ProgressCase kProgressCases[] = {
    {"exactly one buffer, in two writes", 4096 - kPreviewOverhead, {2000}, {}},
    {"one byte more than a buffer", 4097 - kPreviewOverhead, {}, {4096}},
    // Fixed header 3 bytes, topic 4: the first read holds no kind and no name.
    {"a first write of only the topic", 10000, {7}, {4096, 8192}},
    {"many small writes", 9000, {5, 11, 100, 4095, 4097, 6000}, {4096, 8192}},
};

TEST_F(LightMQTTTest, ProgressComesOncePerFullBufferWithTheArrivingKindAndName) {
  MakeFolder("Smile");
  const int port = StartServer();
  for (const ProgressCase& c : kProgressCases) {
    SCOPED_TRACE(c.what);
    recorder_.Clear();
    const std::string picture(c.pictureBytes, 'p');
    const Bytes preview = Publish(3, PreviewBody("Smile", picture));
    RawPhone phone(port);
    ASSERT_TRUE(phone.SendInParts(preview, c.cuts, 100));
    ASSERT_TRUE(WaitFor([&] { return recorder_.Count(3) == 1; }));
    const std::vector<Received> progress = recorder_.Progress();
    ASSERT_EQ(progress.size(), c.progress.size());
    const scn::UInt32 total = static_cast<scn::UInt32>(c.pictureBytes + kPreviewOverhead);
    for (std::size_t i = 0; i < progress.size(); ++i) {
      EXPECT_EQ(progress[i].receivedBytes, c.progress[i]);
      EXPECT_EQ(progress[i].totalBytes, total);
      EXPECT_EQ(progress[i].fraction,
                static_cast<scn::Float32>(c.progress[i]) / static_cast<scn::Float32>(total));
      EXPECT_EQ(progress[i].messageKind, 3u);
      EXPECT_EQ(progress[i].name, "Smile");
    }
    EXPECT_TRUE(File("Smile", "preview.jpg") == picture) << "preview.jpg as sent";
  }
}

struct DeadCase {
  const char* what;
  Bytes sent;
  bool phoneCloses;
};

const DeadCase kDeadCases[] = {
    {"the phone goes away", kConnect, true},
    {"a remaining length of five bytes", {0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, false},
};

// A link that can go no further is closed at once and the receivers hear that the phone is gone; it does
// not linger, unanswered, until the next phone.
TEST_F(LightMQTTTest, ADeadLinkIsClosedAndReported) {
  const int port = StartServer();
  for (const DeadCase& c : kDeadCases) {
    SCOPED_TRACE(c.what);
    recorder_.Clear();
    RawPhone phone(port);
    ASSERT_TRUE(phone.Send(c.sent));
    if (c.phoneCloses) phone.Close();
    EXPECT_TRUE(WaitFor([&] { return recorder_.Count(DisconnectingMsg::kKind) == 1; }));
    EXPECT_TRUE(WaitFor([&] { return H().net().OpenCount() == 1; })) << "only the listener stays open";
    EXPECT_TRUE(WaitFor([&] { return H().threads().RunningCount() == 1; })) << "only the server runs";
    if (c.phoneCloses) continue;
    phone.Send({0xC0, 0x00});  // PINGREQ
    EXPECT_TRUE(phone.ReceivesEnd());
  }
}

TEST_F(LightMQTTTest, APhoneThatSaysGoodbyeIsReportedOnce) {
  const int port = StartServer();
  {
    RawPhone phone(port);
    ASSERT_TRUE(phone.Connect());
    ASSERT_TRUE(phone.Send({0xE0, 0x00}));  // DISCONNECT, then the socket closes
  }
  EXPECT_TRUE(WaitFor([&] { return H().net().OpenCount() == 1; }));
  EXPECT_EQ(recorder_.Count(DisconnectingMsg::kKind), 1);
}

TEST_F(LightMQTTTest, ALargeMessageGivesItsMemoryBack) {
  MakeFolder("Smile");
  const int port = StartServer();
  RawPhone phone(port);
  const std::string picture(8 << 20, 'p');
  ASSERT_TRUE(phone.Send(Publish(3, PreviewBody("Smile", picture))));
  ASSERT_TRUE(WaitFor([&] { return recorder_.Count(3) == 1; }));
  EXPECT_EQ(File("Smile", "preview.jpg").size(), picture.size());
  EXPECT_TRUE(WaitFor([&] { return H().memory().LiveBytesAt("bitstream") < (1u << 20); }))
      << H().memory().LiveBytesAt("bitstream") << " bytes of streams kept";
}

}  // namespace
