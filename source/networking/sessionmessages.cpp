#include "networking/sessionmessages.h"

#include "networking/bitstream.h"
#include "networking/messagecallbacks.h"

void DisconnectingMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnDisconnecting(*this);
}

// Only ever sent: an answer carries nothing to read.
scn::Bool TaskCompleteMsg::Serialize(scn::Bool write, BitStream& stream) {
  return !write || stream.WriteString(text);
}

void TaskCompleteMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnTaskComplete(*this);
}

// The request is empty.
scn::Bool GetVersionMsg::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return true;
  return stream.ReadString(firstText) && stream.ReadString(secondText) && stream.ReadUInt32(number);
}

void GetVersionMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetVersion(*this);
}
