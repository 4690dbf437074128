// Plug-in threads: each SCNThread gets a handle that runs its RunThread on a std::thread.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "scn/tables_thread.h"

namespace host {

class Host;

class ThreadService {
 public:
  explicit ThreadService(Host& host);
  // Ends (waiting) the threads whose handles the plug-ins never freed, and reports them.
  ~ThreadService();
  ThreadService(const ThreadService&) = delete;
  ThreadService& operator=(const ThreadService&) = delete;

  static void FillTable(scn::ThreadTable& table);

  scn::ThreadHandle* Allocate(scn::SCNThread* owner);
  void Free(scn::ThreadHandle* t);
  bool Start(scn::ThreadHandle* t);
  void End(scn::ThreadHandle* t, bool wait);

  // Waits until every started thread has returned, without asking any to stop (tests and headless runs).
  void WaitForAll();
  std::size_t RunningCount() const;

 private:
  bool Known(const scn::ThreadHandle* t) const;

  Host& host_;
  // Plug-in threads allocate and start threads too.
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<scn::ThreadHandle>> threads_;
};

}  // namespace host
