// Messages reach the handler of their kind, through OnMessage unless it is overridden, and every receiver
// they target in registration order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messagekinds.h"
#include "networking/capturelistmessages.h"
#include "networking/downloadmessages.h"
#include "networking/localmessages.h"
#include "networking/messagecallbacks.h"
#include "networking/messagefactory.h"
#include "networking/receiverlist.h"
#include "networking/sessionmessages.h"
#include "wirebytes.h"

namespace {

struct Call {
  int receiver;
  std::string handler;
  const PublishMessage* message;
};

// Overrides every handler: OnMessage must then never be reached.
class HandlesEveryKind : public MessageCallbacks {
 public:
  HandlesEveryKind(std::uint8_t id, std::vector<Call>& calls) : MessageCallbacks(id), calls_(calls) {}

  void OnMotionCaptureGet(MotionCaptureGet& m) override { Log("OnMotionCaptureGet", m); }
  void OnGetMotionCaptures(GetMotionCaptures& m) override { Log("OnGetMotionCaptures", m); }
  void OnPingResponse(PingResponseMsg& m) override { Log("OnPingResponse", m); }
  void OnConnected(ConnectedMsg& m) override { Log("OnConnected", m); }
  void OnPing(PingMsg& m) override { Log("OnPing", m); }
  void OnProgress(ProgressMsg& m) override { Log("OnProgress", m); }
  void OnGetVersion(GetVersionMsg& m) override { Log("OnGetVersion", m); }
  void OnTaskComplete(TaskCompleteMsg& m) override { Log("OnTaskComplete", m); }
  void OnDisconnecting(DisconnectingMsg& m) override { Log("OnDisconnecting", m); }
  void OnPerformanceGetSettings(PerformanceGetSettings& m) override { Log("OnPerformanceGetSettings", m); }
  void OnPerformanceGetMovie(PerformanceGetMovie& m) override { Log("OnPerformanceGetMovie", m); }
  void OnPerformanceGetPreview(PerformanceGetPreview& m) override { Log("OnPerformanceGetPreview", m); }
  void OnPerformanceGetImage(PerformanceGetImage& m) override { Log("OnPerformanceGetImage", m); }
  void OnPerformanceGet(PerformanceGet& m) override { Log("OnPerformanceGet", m); }
  void OnGetPerformances(GetPerformances& m) override { Log("OnGetPerformances", m); }
  void OnMessage(PublishMessage& m) override { Log("OnMessage", m); }

 private:
  void Log(const char* handler, const PublishMessage& m) { calls_.push_back({GetReceiverId(), handler, &m}); }
  std::vector<Call>& calls_;
};

class HandlesOnlyOnMessage : public MessageCallbacks {
 public:
  HandlesOnlyOnMessage(std::uint8_t id, std::vector<Call>& calls) : MessageCallbacks(id), calls_(calls) {}
  void OnMessage(PublishMessage& m) override { calls_.push_back({GetReceiverId(), "OnMessage", &m}); }

 private:
  std::vector<Call>& calls_;
};

class MessageDispatchTest : public WireTest {
 protected:
  // Makes one message of each kind, hands it to the receivers and releases it.
  template <typename F>
  void ForEachKind(F&& check) {
    for (const KindRow& row : kKinds) {
      SCOPED_TRACE(row.name);
      PublishMessage* message = factory_.Create(row.kind);
      ASSERT_NE(message, nullptr);
      calls_.clear();
      receivers_.Dispatch(*message);
      check(row, message);
      factory_.Release(message);
    }
  }

  MessageFactory factory_;
  ReceiverList receivers_;
  std::vector<Call> calls_;
};

TEST_F(MessageDispatchTest, EachKindReachesItsOwnHandler) {
  HandlesEveryKind receiver(0, calls_);
  ASSERT_TRUE(receivers_.Add(&receiver));
  ForEachKind([&](const KindRow& row, PublishMessage* message) {
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].handler, row.handler);
    EXPECT_EQ(calls_[0].message, message);
  });
}

TEST_F(MessageDispatchTest, AReceiverOverridingOnlyOnMessageSeesEveryKind) {
  HandlesOnlyOnMessage receiver(0, calls_);
  ASSERT_TRUE(receivers_.Add(&receiver));
  ForEachKind([&](const KindRow&, PublishMessage* message) {
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].message, message);
  });
}

TEST_F(MessageDispatchTest, AReceiverOverridingNothingTakesEveryKind) {
  MessageCallbacks quiet(0);
  ASSERT_TRUE(receivers_.Add(&quiet));
  ForEachKind([&](const KindRow&, PublishMessage*) { EXPECT_TRUE(calls_.empty()); });
}

TEST_F(MessageDispatchTest, EveryReceiverGetsEveryMessageInRegistrationOrder) {
  HandlesOnlyOnMessage second(1, calls_);
  HandlesEveryKind first(0, calls_);
  ASSERT_TRUE(receivers_.Add(&second));
  ASSERT_TRUE(receivers_.Add(&first));
  ForEachKind([&](const KindRow& row, PublishMessage*) {
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[0].receiver, 1);
    EXPECT_EQ(calls_[0].handler, "OnMessage");
    EXPECT_EQ(calls_[1].receiver, 0);
    EXPECT_EQ(calls_[1].handler, row.handler);
  });
}

TEST_F(MessageDispatchTest, ATargetedMessageReachesOnlyItsReceiver) {
  HandlesOnlyOnMessage zero(0, calls_), one(1, calls_), again(1, calls_);
  for (MessageCallbacks* r : std::initializer_list<MessageCallbacks*>{&zero, &one, &again})
    ASSERT_TRUE(receivers_.Add(r));
  PingMsg ping;
  ping.SetTarget(1);
  receivers_.Dispatch(ping);
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].receiver, 1);
  EXPECT_EQ(calls_[1].receiver, 1);
  calls_.clear();
  ping.SetTarget(7);
  receivers_.Dispatch(ping);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(MessageDispatchTest, ClearedOrEmptyListsReachNoOne) {
  HandlesOnlyOnMessage receiver(0, calls_);
  EXPECT_FALSE(receivers_.Add(nullptr));
  ASSERT_TRUE(receivers_.Add(&receiver));
  EXPECT_EQ(receivers_.GetCount(), 1);
  receivers_.Clear();
  ConnectedMsg connected;
  receivers_.Dispatch(connected);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(MessageDispatchTest, ReceiversTakeConsecutiveIds) {
  MessageCallbacks a, b, c;
  EXPECT_EQ(b.GetReceiverId(), static_cast<std::uint8_t>(a.GetReceiverId() + 1));
  EXPECT_EQ(c.GetReceiverId(), static_cast<std::uint8_t>(a.GetReceiverId() + 2));
}

}  // namespace
