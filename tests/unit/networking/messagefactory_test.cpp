// The factory makes every kind in host memory, numbered in creation order, nothing for other kinds, and
// frees a message when its last reference is released.
#include "networking/messagefactory.h"

#include <gtest/gtest.h>

#include "messagekinds.h"
#include "networking/capturelistmessages.h"
#include "networking/downloadmessages.h"
#include "networking/localmessages.h"
#include "networking/sessionmessages.h"
#include "wirebytes.h"

namespace {

class MessageFactoryTest : public WireTest {
 protected:
  std::size_t LiveMessages() { return H().memory().LiveBlocksAt("messagefactory"); }
};

TEST_F(MessageFactoryTest, MakesEveryKindNumberedInCreationOrder) {
  MessageFactory factory;
  scn::UInt32 expectedId = 0;
  for (const KindRow& row : kKinds) {
    SCOPED_TRACE(row.name);
    PublishMessage* message = factory.Create(row.kind);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->GetKind(), row.kind);
    EXPECT_STREQ(message->GetName(), row.name);
    EXPECT_EQ(message->GetSequenceId(), expectedId++);
    EXPECT_EQ(message->GetTarget(), PublishMessage::kEveryReceiver);
    EXPECT_EQ(message->GetReferenceCount(), 1);
    EXPECT_EQ(LiveMessages(), 1u);
    factory.Release(message);
    EXPECT_EQ(LiveMessages(), 0u);
  }
}

TEST_F(MessageFactoryTest, MessagesStartWithEmptyMembers) {
  MessageFactory factory;
  auto* progress = static_cast<ProgressMsg*>(factory.Create(ProgressMsg::kKind));
  auto* image = static_cast<PerformanceGetImage*>(factory.Create(PerformanceGetImage::kKind));
  auto* version = static_cast<GetVersionMsg*>(factory.Create(GetVersionMsg::kKind));
  auto* list = static_cast<GetMotionCaptures*>(factory.Create(GetMotionCaptures::kKind));
  ASSERT_TRUE(progress && image && version && list);
  EXPECT_EQ(progress->messageKind, 9999u) << "until the arriving message's kind is known";
  EXPECT_EQ(progress->fraction, 0.0);
  EXPECT_EQ(progress->totalBytes, 0u);
  EXPECT_EQ(progress->receivedBytes, 0u);
  EXPECT_EQ(progress->name, "");
  EXPECT_EQ(image->name, "");
  EXPECT_EQ(image->imageIndex, 0);
  EXPECT_EQ(image->imageCount, 0);
  EXPECT_EQ(version->firstText, "");
  EXPECT_EQ(version->number, 0u);
  EXPECT_TRUE(list->captures.empty());
  for (PublishMessage* m : {static_cast<PublishMessage*>(progress), static_cast<PublishMessage*>(image),
                            static_cast<PublishMessage*>(version), static_cast<PublishMessage*>(list)})
    factory.Release(m);
}

TEST_F(MessageFactoryTest, OtherKindsMakeNothingAndTakeNoNumber) {
  MessageFactory factory;
  for (scn::UInt32 kind : {11u, 99u, 104u, 9999u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(factory.Create(kind), nullptr);
    EXPECT_EQ(LiveMessages(), 0u);
  }
  EXPECT_TRUE(H().diagnostics().Contains("kind 104"));
  PublishMessage* next = factory.Create(PingMsg::kKind);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->GetSequenceId(), 0u);
  factory.Release(next);
}

TEST_F(MessageFactoryTest, EachFactoryCountsForItself) {
  MessageFactory reader, other;
  PublishMessage* a = reader.Create(PingMsg::kKind);
  PublishMessage* b = reader.Create(PingMsg::kKind);
  PublishMessage* c = other.Create(PingMsg::kKind);
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(a->GetSequenceId(), 0u);
  EXPECT_EQ(b->GetSequenceId(), 1u);
  EXPECT_EQ(c->GetSequenceId(), 0u);
  reader.Release(a);
  reader.Release(b);
  other.Release(c);
}

TEST_F(MessageFactoryTest, TheLastReleaseFreesTheMessage) {
  MessageFactory factory;
  PublishMessage* message = factory.Create(PerformanceGet::kKind);
  ASSERT_NE(message, nullptr);
  message->AddReference();
  message->AddReference();
  EXPECT_EQ(message->GetReferenceCount(), 3);
  factory.Release(message);
  factory.Release(message);
  EXPECT_EQ(message->GetReferenceCount(), 1);
  EXPECT_EQ(LiveMessages(), 1u);
  factory.Release(message);
  EXPECT_EQ(LiveMessages(), 0u);
  factory.Release(nullptr);
}

TEST_F(MessageFactoryTest, OutOfMemoryMakesNothingAndTakesNoNumber) {
  MessageFactory factory;
  H().memory().FailAllocationsAt("messagefactory", 1);
  EXPECT_EQ(factory.Create(GetPerformances::kKind), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));
  PublishMessage* message = factory.Create(GetPerformances::kKind);
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->GetSequenceId(), 0u);
  factory.Release(message);
}

TEST_F(MessageFactoryTest, MessagesBuiltToSendAreForEveryReceiverWithoutNumber) {
  PerformanceGetPreview request;
  EXPECT_EQ(request.GetTarget(), 0xFF);
  EXPECT_EQ(request.GetSequenceId(), 0xFFFFFFFFu);
  EXPECT_EQ(request.GetReferenceCount(), 1);
  EXPECT_EQ(LiveMessages(), 0u);
}

}  // namespace
