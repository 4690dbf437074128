// Threads: the host runs an SCNThread's RunThread on a thread of its own.
#pragma once

#include "scn/tables.h"

namespace scn {

struct ThreadTable {
  // main thread or a plug-in thread; a handle for the thread object; null when out of memory
  ThreadHandle* (*AllocateThread)(SCNThread* owner);
  // main thread; ends the thread (waiting) first; null is ignored
  void (*FreeThread)(ThreadHandle* t);
  // main thread or a plug-in thread; runs owner->RunThread on a new thread; false when it is still running or
  // cannot start
  Bool (*StartThread)(ThreadHandle* t);
  // main thread or a plug-in thread (never the thread itself with wait); asks the thread to stop and, with
  // wait, returns once it has ended
  void (*EndThread)(ThreadHandle* t, Bool wait);
  // the thread itself; true once it was asked to stop or the owner's ExtraBreakCondition says so
  Bool (*TestThreadBreak)(ThreadHandle* t);
  // any thread; true from StartThread until RunThread has returned
  Bool (*IsThreadRunning)(const ThreadHandle* t);
};

}  // namespace scn
