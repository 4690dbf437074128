#include "threads/threadservice.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "core/host.h"
#include "scn/thread.h"

namespace scn {

struct ThreadHandle {
  SCNThread* owner = nullptr;
  std::thread thread;
  std::atomic<bool> stop{false};
  std::atomic<bool> running{false};
  // Serialises starting and joining: the main thread and a plug-in thread may both end a thread.
  std::mutex control;
};

}  // namespace scn

namespace host {
namespace {

// Plug-in threads may start and end other threads too (a server starts its connection's streams).
thread_local bool t_onPluginThread = false;
// The handle whose thread this is; null on the host's own threads.
thread_local const scn::ThreadHandle* t_current = nullptr;

ThreadService* Service(const char* call) {
  Host* h = Host::Current();
  if (!h) return nullptr;
  if (!t_onPluginThread && !h->CheckMainThread(call)) return nullptr;
  return &h->threads();
}

void Join(scn::ThreadHandle& t) {
  if (t.thread.joinable()) t.thread.join();
}

void Run(scn::ThreadHandle* t) {
  // The system keeps 15 characters of a thread's name.
  const std::string name = t->owner->ThreadDisplayName() ? t->owner->ThreadDisplayName() : "";
  pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
  t_onPluginThread = true;
  t_current = t;
  t->owner->RunThread();
  t->running = false;
}

}  // namespace

ThreadService::ThreadService(Host& host) : host_(host) {}

ThreadService::~ThreadService() {
  if (threads_.empty()) return;
  host_.diagnostics().Output("threads: " + std::to_string(threads_.size()) +
                             " thread handles were never freed");
  for (auto& t : threads_) {
    t->stop = true;
    Join(*t);
  }
}

bool ThreadService::Known(const scn::ThreadHandle* t) const {
  std::lock_guard lock(mutex_);
  return std::any_of(threads_.begin(), threads_.end(), [t](const auto& p) { return p.get() == t; });
}

scn::ThreadHandle* ThreadService::Allocate(scn::SCNThread* owner) {
  if (!owner) return nullptr;
  auto t = std::make_unique<scn::ThreadHandle>();
  t->owner = owner;
  std::lock_guard lock(mutex_);
  threads_.push_back(std::move(t));
  return threads_.back().get();
}

void ThreadService::Free(scn::ThreadHandle* t) {
  if (!t) return;
  if (!Known(t)) {
    host_.diagnostics().ReportMisbehaviour("FreeThread of an unknown thread");
    return;
  }
  End(t, true);
  std::lock_guard lock(mutex_);
  std::erase_if(threads_, [t](const auto& p) { return p.get() == t; });
}

bool ThreadService::Start(scn::ThreadHandle* t) {
  if (!t || !Known(t)) return false;
  std::lock_guard control(t->control);
  if (t->running) return false;
  Join(*t);  // a thread that ended without being waited for
  t->stop = false;
  t->running = true;
  try {
    t->thread = std::thread(Run, t);
  } catch (const std::system_error&) {
    t->running = false;
    host_.diagnostics().Output("threads: " + std::string(t->owner->ThreadDisplayName()) + " could not start");
    return false;
  }
  return true;
}

void ThreadService::End(scn::ThreadHandle* t, bool wait) {
  if (!t || !Known(t)) return;
  t->stop = true;
  if (!wait) return;
  // Another thread may be joining this one right now: its std::thread is not read unlocked.
  if (t == t_current) {
    host_.diagnostics().ReportMisbehaviour("EndThread waiting for the calling thread itself");
    return;
  }
  std::lock_guard control(t->control);
  Join(*t);
}

void ThreadService::WaitForAll() {
  std::vector<scn::ThreadHandle*> all;
  {
    std::lock_guard lock(mutex_);
    for (auto& t : threads_) all.push_back(t.get());
  }
  for (scn::ThreadHandle* t : all) {
    std::lock_guard control(t->control);
    Join(*t);
  }
}

std::size_t ThreadService::RunningCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(threads_.begin(), threads_.end(), [](const auto& t) { return t->running.load(); }));
}

void ThreadService::FillTable(scn::ThreadTable& table) {
  table.AllocateThread = [](scn::SCNThread* owner) -> scn::ThreadHandle* {
    ThreadService* s = Service("AllocateThread");
    return s ? s->Allocate(owner) : nullptr;
  };
  table.FreeThread = [](scn::ThreadHandle* t) {
    if (ThreadService* s = Service("FreeThread")) s->Free(t);
  };
  table.StartThread = [](scn::ThreadHandle* t) -> scn::Bool {
    ThreadService* s = Service("StartThread");
    return s && s->Start(t);
  };
  table.EndThread = [](scn::ThreadHandle* t, scn::Bool wait) {
    if (ThreadService* s = Service("EndThread")) s->End(t, wait);
  };
  // Called by the thread itself: the handle is all it needs.
  table.TestThreadBreak = [](scn::ThreadHandle* t) -> scn::Bool {
    return !t || t->stop.load() || t->owner->ExtraBreakCondition();
  };
  table.IsThreadRunning = [](const scn::ThreadHandle* t) -> scn::Bool { return t && t->running.load(); };
}

}  // namespace host
