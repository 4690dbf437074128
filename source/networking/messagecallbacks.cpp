#include "networking/messagecallbacks.h"

#include <atomic>

#include "networking/capturelistmessages.h"
#include "networking/downloadmessages.h"
#include "networking/localmessages.h"
#include "networking/sessionmessages.h"

namespace {

// Receiver ids are unique per process (until they wrap after 256), as message targets name them.
std::uint8_t NextReceiverId() {
  static std::atomic<std::uint8_t> next{0};
  return next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

MessageCallbacks::MessageCallbacks() : receiverId_(NextReceiverId()) {}

void MessageCallbacks::OnMotionCaptureGet(MotionCaptureGet& message) {
  OnMessage(message);
}
void MessageCallbacks::OnGetMotionCaptures(GetMotionCaptures& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPingResponse(PingResponseMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnConnected(ConnectedMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPing(PingMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnProgress(ProgressMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnGetVersion(GetVersionMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnTaskComplete(TaskCompleteMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnDisconnecting(DisconnectingMsg& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPerformanceGetSettings(PerformanceGetSettings& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPerformanceGetMovie(PerformanceGetMovie& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPerformanceGetPreview(PerformanceGetPreview& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPerformanceGetImage(PerformanceGetImage& message) {
  OnMessage(message);
}
void MessageCallbacks::OnPerformanceGet(PerformanceGet& message) {
  OnMessage(message);
}
void MessageCallbacks::OnGetPerformances(GetPerformances& message) {
  OnMessage(message);
}
void MessageCallbacks::OnMessage(PublishMessage& message) {}
