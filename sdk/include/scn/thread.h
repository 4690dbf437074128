// Plug-in threads: RunThread runs on a host thread and polls TestThreadBreak to learn when to stop.
#pragma once

#include <atomic>

#include "scn/handles.h"
#include "scn/types.h"

namespace scn {

class SCNThread {
 public:
  SCNThread() = default;
  // Ends the thread, waiting for it.
  virtual ~SCNThread();
  SCNThread(const SCNThread&) = delete;
  SCNThread& operator=(const SCNThread&) = delete;

  virtual Bool ExtraBreakCondition();
  virtual void RunThread() = 0;
  virtual const char* ThreadDisplayName() = 0;

  // Main thread. False when the thread runs already or cannot start.
  Bool StartThread();
  void EndThread(Bool wait = true);
  Bool IsThreadRunning() const;
  // From RunThread.
  Bool TestThreadBreak();
  // The host's handle, null until the first start; any thread.
  ThreadHandle* GetHandle() const { return handle_.load(); }

 private:
  // Set by the first start, which may run on another plug-in thread than later reads.
  std::atomic<ThreadHandle*> handle_{nullptr};
};

// Any thread; gives the processor away for about that long.
void SleepMilliseconds(UInt32 ms);

}  // namespace scn
