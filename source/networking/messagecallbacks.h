// A receiver of the phone link's messages: one handler per kind, each forwarding to OnMessage unless
// overridden, so that a receiver may handle a few kinds or all of them in one place. Handlers run on the
// reader stream's thread; the message belongs to the caller, who releases it afterwards.
#pragma once

#include <cstdint>

class PublishMessage;
class GetPerformances;
class PerformanceGet;
class PerformanceGetImage;
class PerformanceGetPreview;
class PerformanceGetMovie;
class DisconnectingMsg;
class TaskCompleteMsg;
class GetVersionMsg;
class PerformanceGetSettings;
class GetMotionCaptures;
class MotionCaptureGet;
class ProgressMsg;
class PingMsg;
class ConnectedMsg;
class PingResponseMsg;

class MessageCallbacks {
 public:
  // Takes the next id of the process-wide receiver counter (0 first).
  MessageCallbacks();
  explicit MessageCallbacks(std::uint8_t receiverId) : receiverId_(receiverId) {}
  virtual ~MessageCallbacks() = default;
  MessageCallbacks(const MessageCallbacks&) = delete;
  MessageCallbacks& operator=(const MessageCallbacks&) = delete;

  virtual void OnMotionCaptureGet(MotionCaptureGet& message);
  virtual void OnGetMotionCaptures(GetMotionCaptures& message);
  virtual void OnPingResponse(PingResponseMsg& message);
  virtual void OnConnected(ConnectedMsg& message);
  virtual void OnPing(PingMsg& message);
  virtual void OnProgress(ProgressMsg& message);
  virtual void OnGetVersion(GetVersionMsg& message);
  virtual void OnTaskComplete(TaskCompleteMsg& message);
  virtual void OnDisconnecting(DisconnectingMsg& message);
  virtual void OnPerformanceGetSettings(PerformanceGetSettings& message);
  virtual void OnPerformanceGetMovie(PerformanceGetMovie& message);
  virtual void OnPerformanceGetPreview(PerformanceGetPreview& message);
  virtual void OnPerformanceGetImage(PerformanceGetImage& message);
  virtual void OnPerformanceGet(PerformanceGet& message);
  virtual void OnGetPerformances(GetPerformances& message);
  // Every kind whose own handler is not overridden; does nothing.
  virtual void OnMessage(PublishMessage& message);

  std::uint8_t GetReceiverId() const { return receiverId_; }

 private:
  std::uint8_t receiverId_;
};
