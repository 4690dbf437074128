#include "networking/message.h"

scn::Int64 PublishMessage::GetReferenceCount() const {
  SpinLockGuard guard(lock_);
  return referenceCount_;
}

void PublishMessage::AddReference() {
  SpinLockGuard guard(lock_);
  ++referenceCount_;
}

scn::Int64 PublishMessage::DropReference() {
  SpinLockGuard guard(lock_);
  return --referenceCount_;
}
