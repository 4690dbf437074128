// Names of captures whose download finished, handed from the reader thread to the main thread.
#pragma once

#include <atomic>

#include "scn/types.h"

class CompletedDownloadQueue {
 public:
  CompletedDownloadQueue() = default;
  ~CompletedDownloadQueue();
  CompletedDownloadQueue(const CompletedDownloadQueue&) = delete;
  CompletedDownloadQueue& operator=(const CompletedDownloadQueue&) = delete;

  // any thread; false when out of memory
  bool Push(const scn::String& name);
  // any thread; false when empty
  bool Pop(scn::String* name);
  scn::Int32 Count();

  // Spin lock word: 0 free, 1 held.
  std::atomic<scn::Int32> lock{0};

 private:
  void Lock();
  void Unlock() { lock.store(0, std::memory_order_release); }
  bool Grow();

  scn::String* names_ = nullptr;
  scn::Int32 count_ = 0;
  scn::Int32 capacity_ = 0;
};

// Destroys the queue and frees its memory; handed to the host's memory service.
void DeleteCompletedDownloadQueue(void* queue);

extern CompletedDownloadQueue* g_completedDownloadQueue;

// The process-wide queue, made when missing; null when out of memory (reported).
CompletedDownloadQueue* GetCompletedDownloadQueue();
// any thread; false (reported) when the name could not be queued
bool PushCompletedDownload(const scn::String& name);
// any thread; the oldest name, false when none is queued
bool PopCompletedDownload(scn::String* name);
// main thread; frees the process-wide queue and its names
void FreeCompletedDownloadQueue();
