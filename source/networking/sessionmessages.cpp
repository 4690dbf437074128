#include "networking/sessionmessages.h"

#include "networking/messagecallbacks.h"

void DisconnectingMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnDisconnecting(*this);
}

// These bodies are not read or written yet.
scn::Bool TaskCompleteMsg::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void TaskCompleteMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnTaskComplete(*this);
}

scn::Bool GetVersionMsg::Serialize(scn::Bool write, BitStream& stream) {
  return true;
}

void GetVersionMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetVersion(*this);
}
