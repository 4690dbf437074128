// The base of every message of the phone link: a kind number, a body that Serialize reads or writes, and
// the handler of MessageCallbacks it reaches. Messages from a MessageFactory live in host memory and are
// reference counted; messages built on the stack are never released.
#pragma once

#include <cstdint>

#include "face/spinlock.h"
#include "scn/types.h"

class BitStream;
class MessageCallbacks;

class PublishMessage {
 public:
  static constexpr std::uint8_t kEveryReceiver = 0xFF;
  static constexpr scn::UInt32 kNoSequenceId = 0xFFFFFFFF;

  PublishMessage() = default;
  virtual ~PublishMessage() = default;
  PublishMessage(const PublishMessage&) = delete;
  PublishMessage& operator=(const PublishMessage&) = delete;

  // write: appends the body to send; otherwise reads a received body from the stream's cursor.
  virtual scn::Bool Serialize(scn::Bool write, BitStream& stream) = 0;
  virtual scn::UInt32 GetKind() const = 0;
  // Calls the receiver's handler for this kind.
  virtual void Dispatch(MessageCallbacks& receiver) = 0;
  // The class name, for diagnostics.
  virtual const char* GetName() const = 0;

  std::uint8_t GetTarget() const { return target_; }
  void SetTarget(std::uint8_t target) { target_ = target; }
  scn::UInt32 GetSequenceId() const { return sequenceId_; }
  void SetSequenceId(scn::UInt32 id) { sequenceId_ = id; }

  // Any thread.
  scn::Int64 GetReferenceCount() const;
  void AddReference();
  // The count left; MessageFactory::Release frees the message once it falls below 1.
  scn::Int64 DropReference();

 private:
  std::uint8_t target_ = kEveryReceiver;
  scn::UInt32 sequenceId_ = kNoSequenceId;
  mutable SpinLock lock_;
  scn::Int64 referenceCount_ = 1;
};
