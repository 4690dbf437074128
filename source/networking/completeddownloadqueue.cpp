#include "networking/completeddownloadqueue.h"

#include <memory>
#include <new>

#include "scn/api.h"

CompletedDownloadQueue* g_completedDownloadQueue = nullptr;

CompletedDownloadQueue::~CompletedDownloadQueue() {
  if (lock.load() != 0) scn::DiagnosticOutput("The CoreLock is still set while being destructed.");
  for (scn::Int32 i = 0; i < count_; ++i) std::destroy_at(&names_[i]);
  scn::MemFree(names_);
}

void CompletedDownloadQueue::Lock() {
  scn::Int32 expected = 0;
  while (!lock.compare_exchange_weak(expected, 1, std::memory_order_acquire)) expected = 0;
}

bool CompletedDownloadQueue::Grow() {
  const scn::Int32 capacity = capacity_ ? capacity_ * 2 : 8;
  auto* names = static_cast<scn::String*>(scn::MemAlloc(
      sizeof(scn::String) * static_cast<std::size_t>(capacity), "completeddownloadqueue", __LINE__, false));
  if (!names) return false;
  for (scn::Int32 i = 0; i < count_; ++i) {
    new (&names[i]) scn::String(std::move(names_[i]));
    std::destroy_at(&names_[i]);
  }
  scn::MemFree(names_);
  names_ = names;
  capacity_ = capacity;
  return true;
}

bool CompletedDownloadQueue::Push(const scn::String& name) {
  Lock();
  bool ok = count_ < capacity_ || Grow();
  if (ok) new (&names_[count_++]) scn::String(name);
  Unlock();
  return ok;
}

bool CompletedDownloadQueue::Pop(scn::String* name) {
  Lock();
  const bool ok = count_ > 0;
  if (ok) {
    *name = std::move(names_[0]);
    for (scn::Int32 i = 1; i < count_; ++i) names_[i - 1] = std::move(names_[i]);
    std::destroy_at(&names_[--count_]);
  }
  Unlock();
  return ok;
}

scn::Int32 CompletedDownloadQueue::Count() {
  Lock();
  const scn::Int32 n = count_;
  Unlock();
  return n;
}

void DeleteCompletedDownloadQueue(void* queue) {
  auto* q = static_cast<CompletedDownloadQueue*>(queue);
  scn::DeleteObj(q);
}

CompletedDownloadQueue* GetCompletedDownloadQueue() {
  if (g_completedDownloadQueue) return g_completedDownloadQueue;
  g_completedDownloadQueue = scn::NewObjClear<CompletedDownloadQueue>("completeddownloadqueue.h", __LINE__);
  if (!g_completedDownloadQueue) scn::ReportOutOfMemory(__FILE__, __LINE__);
  return g_completedDownloadQueue;
}

bool PushCompletedDownload(const scn::String& name) {
  CompletedDownloadQueue* queue = GetCompletedDownloadQueue();
  if (queue && queue->Push(name)) return true;
  scn::ReportOutOfMemory(__FILE__, __LINE__);
  return false;
}

bool PopCompletedDownload(scn::String* name) {
  return g_completedDownloadQueue && g_completedDownloadQueue->Pop(name);
}

void FreeCompletedDownloadQueue() {
  if (!g_completedDownloadQueue) return;
  scn::MemDeleteWith(g_completedDownloadQueue, DeleteCompletedDownloadQueue);
  g_completedDownloadQueue = nullptr;
}
