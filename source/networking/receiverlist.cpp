#include "networking/receiverlist.h"

#include <new>

#include "networking/message.h"
#include "networking/messagecallbacks.h"
#include "scn/api.h"

scn::Bool ReceiverList::Add(MessageCallbacks* receiver) {
  if (!receiver) return false;
  try {
    receivers_.push_back(receiver);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}

void ReceiverList::Dispatch(PublishMessage& message) const {
  const std::uint8_t target = message.GetTarget();
  for (MessageCallbacks* receiver : receivers_) {
    if (target != PublishMessage::kEveryReceiver && target != receiver->GetReceiverId()) continue;
    message.Dispatch(*receiver);
  }
}
