#include "networking/capturelistmessages.h"

#include "networking/messagecallbacks.h"

// The list bodies are not read or written yet: a request goes out empty and an answer yields no captures.
scn::Bool GetPerformances::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void GetPerformances::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetPerformances(*this);
}

scn::Bool GetMotionCaptures::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void GetMotionCaptures::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetMotionCaptures(*this);
}
