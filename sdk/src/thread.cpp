#include "scn/thread.h"

#include <chrono>
#include <thread>

#include "scn/api.h"
#include "scn/tables_thread.h"

namespace scn {
namespace {
const ThreadTable& T() {
  return *GetHostTables()->thread;
}
}  // namespace

SCNThread::~SCNThread() {
  if (ThreadHandle* h = handle_.load()) T().FreeThread(h);
}

Bool SCNThread::ExtraBreakCondition() {
  return false;
}

Bool SCNThread::StartThread() {
  if (!handle_.load()) handle_.store(T().AllocateThread(this));
  ThreadHandle* h = handle_.load();
  return h && T().StartThread(h);
}

void SCNThread::EndThread(Bool wait) {
  if (ThreadHandle* h = handle_.load()) T().EndThread(h, wait);
}

Bool SCNThread::IsThreadRunning() const {
  ThreadHandle* h = handle_.load();
  return h && T().IsThreadRunning(h);
}

Bool SCNThread::TestThreadBreak() {
  ThreadHandle* h = handle_.load();
  return !h || T().TestThreadBreak(h);
}

void SleepMilliseconds(UInt32 ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace scn
