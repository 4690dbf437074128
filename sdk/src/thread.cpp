#include "scn/thread.h"

#include "scn/api.h"
#include "scn/tables_thread.h"

namespace scn {
namespace {
const ThreadTable& T() {
  return *GetHostTables()->thread;
}
}  // namespace

SCNThread::~SCNThread() {
  if (handle_) T().FreeThread(handle_);
}

Bool SCNThread::ExtraBreakCondition() {
  return false;
}

Bool SCNThread::StartThread() {
  if (!handle_) handle_ = T().AllocateThread(this);
  return handle_ && T().StartThread(handle_);
}

void SCNThread::EndThread(Bool wait) {
  if (handle_) T().EndThread(handle_, wait);
}

Bool SCNThread::IsThreadRunning() const {
  return handle_ && T().IsThreadRunning(handle_);
}

Bool SCNThread::TestThreadBreak() {
  return !handle_ || T().TestThreadBreak(handle_);
}

}  // namespace scn
