// Every kind's body on the wire: what the plug-in sends, what it reads from the phone, and a request read
// back as the phone echoes it in its answer.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "bodybytes.h"
#include "networking/capturelistmessages.h"
#include "networking/downloadmessages.h"
#include "networking/localmessages.h"
#include "networking/sessionmessages.h"

namespace {

using MessageBodiesTest = CaptureFolderTest;

struct RequestRow {
  const char* what;
  std::function<std::unique_ptr<PublishMessage>()> make;
  Bytes body;
};

template <typename T>
std::unique_ptr<PublishMessage> Named(const char* name) {
  auto m = std::make_unique<T>();
  m->name = name;
  return m;
}

TEST_F(MessageBodiesTest, RequestsWriteTheirBodies) {
  const RequestRow rows[] = {
      {"capture list: empty", [] { return std::make_unique<GetPerformances>(); }, {}},
      {"body capture list: empty", [] { return std::make_unique<GetMotionCaptures>(); }, {}},
      {"version: empty", [] { return std::make_unique<GetVersionMsg>(); }, {}},
      {"disconnecting: empty", [] { return std::make_unique<DisconnectingMsg>(); }, {}},
      {"performance",
       [] { return Named<PerformanceGet>("Smile"); },
       {0x00, 0x05, 'S', 'm', 'i', 'l', 'e'}},  // name: count 5 big-endian, no terminator
      {"preview", [] { return Named<PerformanceGetPreview>("Ab"); }, {0x00, 0x02, 'A', 'b'}},
      {"movie", [] { return Named<PerformanceGetMovie>("Ab"); }, {0x00, 0x02, 'A', 'b'}},
      {"settings", [] { return Named<PerformanceGetSettings>("Ab"); }, {0x00, 0x02, 'A', 'b'}},
      {"body capture", [] { return Named<MotionCaptureGet>(""); }, {0x00, 0x00}},  // empty name, count 0
      {"image",
       [] {
         auto m = std::make_unique<PerformanceGetImage>();
         m->name = "Ab";
         m->imageIndex = 0x0102;
         m->imageCount = 0x0304;
         return m;
       },
       {0x00, 0x02, 'A', 'b',  // name
        0x01, 0x02,            // index 258, big-endian
        0x03, 0x04}},          // count 772, big-endian
      {"task complete",
       [] {
         auto m = std::make_unique<TaskCompleteMsg>();
         m->text = "done";
         return m;
       },
       {0x00, 0x04, 'd', 'o', 'n', 'e'}},
  };
  for (const RequestRow& row : rows) {
    SCOPED_TRACE(row.what);
    BitStream stream;
    ASSERT_TRUE(row.make()->Serialize(true, stream));
    EXPECT_EQ(Hex(BytesOf(stream)), Hex(row.body));
  }
}

TEST_F(MessageBodiesTest, LocalKindsHaveNoBodyEitherWay) {
  std::unique_ptr<PublishMessage> local[] = {
      std::make_unique<ProgressMsg>(), std::make_unique<PingMsg>(), std::make_unique<ConnectedMsg>(),
      std::make_unique<PingResponseMsg>(), std::make_unique<DisconnectingMsg>()};
  for (auto& m : local) {
    SCOPED_TRACE(m->GetName());
    BitStream out;
    EXPECT_TRUE(m->Serialize(true, out));
    EXPECT_EQ(out.GetLength(), 0);
    BitStream in = StreamOf({0xAA});
    EXPECT_TRUE(m->Serialize(false, in));
    EXPECT_EQ(in.GetReadPosition(), 0) << "nothing is read";
  }
}

TEST_F(MessageBodiesTest, RequestsReadBackFromTheAnswerThatEchoesThem) {
  MakeFolder("Take 7");
  PerformanceGetImage image;
  image.name = "Take 7";
  image.imageIndex = 4;
  image.imageCount = 9;
  PerformanceGet performance;
  performance.name = "Take 7";
  PerformanceGetSettings settings;
  settings.name = "Take 7";

  BitStream imageAnswer, performanceAnswer, settingsAnswer;
  ASSERT_TRUE(image.Serialize(true, imageAnswer));
  const Bytes jpeg = Block("jpg");
  ASSERT_TRUE(imageAnswer.AppendBytes(jpeg.data(), static_cast<scn::Int64>(jpeg.size())));
  ASSERT_TRUE(performance.Serialize(true, performanceAnswer));
  const Bytes tail = Join({U16(9), Block("a"), Block("b"), Block("c")});
  ASSERT_TRUE(performanceAnswer.AppendBytes(tail.data(), static_cast<scn::Int64>(tail.size())));
  ASSERT_TRUE(settings.Serialize(true, settingsAnswer));
  ASSERT_TRUE(settingsAnswer.WriteBool(false));

  PerformanceGetImage readImage;
  ASSERT_TRUE(readImage.Serialize(false, imageAnswer));
  EXPECT_EQ(readImage.name, "Take 7");
  EXPECT_EQ(readImage.imageIndex, 4);
  EXPECT_EQ(readImage.imageCount, 9);
  PerformanceGet readPerformance;
  ASSERT_TRUE(readPerformance.Serialize(false, performanceAnswer));
  EXPECT_EQ(readPerformance.name, "Take 7");
  EXPECT_EQ(readPerformance.imageCount, 9);
  PerformanceGetSettings readSettings;
  ASSERT_TRUE(readSettings.Serialize(false, settingsAnswer));
  EXPECT_EQ(readSettings.name, "Take 7");
  for (BitStream* s : {&imageAnswer, &performanceAnswer, &settingsAnswer}) EXPECT_FALSE(s->HasMore());
}

TEST_F(MessageBodiesTest, VersionAnswerKeepsItsFieldsAndShortOnesFail) {
  const Bytes answer = {
      0x00, 0x03, '1',  '.',  '2',  // first text
      0x00, 0x02, 'i',  'P',        // second text
      0x2A, 0x01, 0x00, 0x00,       // UInt32 298, little-endian
  };
  GetVersionMsg version;
  BitStream stream = StreamOf(answer);
  ASSERT_TRUE(version.Serialize(false, stream));
  EXPECT_EQ(version.firstText, "1.2");
  EXPECT_EQ(version.secondText, "iP");
  EXPECT_EQ(version.number, 298u);
  for (std::size_t cut = 0; cut < answer.size(); ++cut) {
    GetVersionMsg shortVersion;
    BitStream cutStream = StreamOf(Bytes(answer.begin(), answer.begin() + static_cast<long>(cut)));
    EXPECT_FALSE(shortVersion.Serialize(false, cutStream)) << "cut at " << cut;
  }
}

TEST_F(MessageBodiesTest, TaskCompleteAnswerReadsNothing) {
  TaskCompleteMsg task;
  BitStream stream = StreamOf({0x00, 0x01, 'x'});
  EXPECT_TRUE(task.Serialize(false, stream));
  EXPECT_EQ(stream.GetReadPosition(), 0);
  EXPECT_EQ(task.text, "");
}

}  // namespace
