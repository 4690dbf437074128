#include "networking/messagefactory.h"

#include <string>

#include "networking/capturelistmessages.h"
#include "networking/downloadmessages.h"
#include "networking/localmessages.h"
#include "networking/sessionmessages.h"
#include "scn/api.h"

namespace {

template <typename T>
PublishMessage* Make() {
  PublishMessage* message = scn::NewObj<T>("messagefactory", __LINE__);
  if (!message) scn::ReportOutOfMemory(__FILE__, __LINE__);
  return message;
}

}  // namespace

PublishMessage* MessageFactory::Allocate(scn::UInt32 kind) {
  switch (kind) {
    case GetPerformances::kKind:
      return Make<GetPerformances>();
    case PerformanceGet::kKind:
      return Make<PerformanceGet>();
    case PerformanceGetImage::kKind:
      return Make<PerformanceGetImage>();
    case PerformanceGetPreview::kKind:
      return Make<PerformanceGetPreview>();
    case PerformanceGetMovie::kKind:
      return Make<PerformanceGetMovie>();
    case DisconnectingMsg::kKind:
      return Make<DisconnectingMsg>();
    case TaskCompleteMsg::kKind:
      return Make<TaskCompleteMsg>();
    case GetVersionMsg::kKind:
      return Make<GetVersionMsg>();
    case PerformanceGetSettings::kKind:
      return Make<PerformanceGetSettings>();
    case GetMotionCaptures::kKind:
      return Make<GetMotionCaptures>();
    case MotionCaptureGet::kKind:
      return Make<MotionCaptureGet>();
    case ProgressMsg::kKind:
      return Make<ProgressMsg>();
    case PingMsg::kKind:
      return Make<PingMsg>();
    case ConnectedMsg::kKind:
      return Make<ConnectedMsg>();
    case PingResponseMsg::kKind:
      return Make<PingResponseMsg>();
  }
  scn::DiagnosticOutput("MessageFactory: no message of kind " + std::to_string(kind));
  return nullptr;
}

PublishMessage* MessageFactory::Create(scn::UInt32 kind) {
  PublishMessage* message = Allocate(kind);
  if (!message) return nullptr;
  SpinLockGuard guard(lock_);
  message->SetSequenceId(counter_++);
  return message;
}

void MessageFactory::Release(PublishMessage* message) {
  if (!message || message->DropReference() >= 1) return;
  SpinLockGuard guard(lock_);
  scn::DeleteObj(message);
}
