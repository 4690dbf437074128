// The receivers a stream hands its messages to, in registration order. It owns none of them; it changes
// only while the stream is stopped.
#pragma once

#include <vector>

#include "scn/types.h"

class MessageCallbacks;
class PublishMessage;

class ReceiverList {
 public:
  // False for null or when out of memory (reported).
  scn::Bool Add(MessageCallbacks* receiver);
  void Clear() { receivers_.clear(); }
  scn::Int64 GetCount() const { return static_cast<scn::Int64>(receivers_.size()); }

  // Hands the message to every receiver it targets, in registration order.
  void Dispatch(PublishMessage& message) const;

 private:
  std::vector<MessageCallbacks*> receivers_;
};
