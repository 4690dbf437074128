#include "networking/localmessages.h"

#include "networking/messagecallbacks.h"

void ProgressMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnProgress(*this);
}

void PingMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPing(*this);
}

void ConnectedMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnConnected(*this);
}

void PingResponseMsg::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPingResponse(*this);
}
