#include "networking/downloadmessages.h"

#include "networking/messagecallbacks.h"

// The download bodies are not read or written yet: a request goes out without its name and an answer
// writes no files.
scn::Bool PerformanceGet::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void PerformanceGet::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGet(*this);
}

scn::Bool PerformanceGetImage::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void PerformanceGetImage::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetImage(*this);
}

scn::Bool PerformanceGetPreview::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void PerformanceGetPreview::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetPreview(*this);
}

scn::Bool PerformanceGetMovie::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void PerformanceGetMovie::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetMovie(*this);
}

scn::Bool PerformanceGetSettings::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void PerformanceGetSettings::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetSettings(*this);
}

scn::Bool MotionCaptureGet::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void MotionCaptureGet::Dispatch(MessageCallbacks& receiver) {
  receiver.OnMotionCaptureGet(*this);
}
