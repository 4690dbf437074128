// The host's spin lock: one Int32 word, 0 free and 1 held.
#pragma once

#include <atomic>

#include "scn/api.h"

class SpinLock {
 public:
  SpinLock() = default;
  ~SpinLock() {
    if (word_.load(std::memory_order_acquire) != 0)
      scn::DiagnosticOutput("Assertion failed: The CoreLock is still set while being destructed.");
  }
  SpinLock(const SpinLock&) = delete;
  SpinLock& operator=(const SpinLock&) = delete;

  void Lock() {
    scn::Int32 expected = 0;
    while (!word_.compare_exchange_weak(expected, 1, std::memory_order_acquire, std::memory_order_relaxed))
      expected = 0;
  }
  void Unlock() { word_.store(0, std::memory_order_release); }
  bool IsHeld() const { return word_.load(std::memory_order_acquire) != 0; }

 private:
  std::atomic<scn::Int32> word_{0};
};

class SpinLockGuard {
 public:
  explicit SpinLockGuard(SpinLock& lock) : lock_(lock) { lock_.Lock(); }
  ~SpinLockGuard() { lock_.Unlock(); }
  SpinLockGuard(const SpinLockGuard&) = delete;
  SpinLockGuard& operator=(const SpinLockGuard&) = delete;

 private:
  SpinLock& lock_;
};
