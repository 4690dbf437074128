// Makes the messages a stream receives, numbering them in creation order, and frees them once their last
// reference is dropped. One factory per stream.
#pragma once

#include "face/spinlock.h"
#include "scn/types.h"

class PublishMessage;

class MessageFactory {
 public:
  MessageFactory() = default;
  virtual ~MessageFactory() = default;
  MessageFactory(const MessageFactory&) = delete;
  MessageFactory& operator=(const MessageFactory&) = delete;

  // A message of the kind with empty members, in host memory; null for a kind the link does not know or
  // when out of memory (both reported).
  virtual PublishMessage* Create(scn::UInt32 kind);

  // Drops one reference; the last one destroys and frees the message. Only for messages from Create;
  // null is ignored.
  void Release(PublishMessage* message);

 private:
  PublishMessage* Allocate(scn::UInt32 kind);

  scn::UInt32 counter_ = 0;
  SpinLock lock_;
};
