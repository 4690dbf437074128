#include "core/memory.h"

#include <cstdlib>
#include <cstring>

#include "core/diagnostics.h"

namespace host {

Memory::~Memory() {
  for (auto& [p, block] : blocks_) std::free(p);
}

bool Memory::ShouldFail(const char* site) {
  const std::string s = site ? site : "";
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (s.find(it->first) == std::string::npos) continue;
    if (it->second > 0 && --it->second == 0) failures_.erase(it);
    return true;
  }
  return false;
}

void* Memory::Alloc(std::size_t size, const char* site, int line, bool clear) {
  std::unique_lock lock(mutex_);
  void* p = ShouldFail(site) ? nullptr : std::malloc(size ? size : 1);
  if (!p) {
    lock.unlock();
    diagnostics_.Output("Out of memory: " + std::to_string(size) + " bytes at " + (site ? site : "?") + ":" +
                        std::to_string(line));
    return nullptr;
  }
  if (clear) std::memset(p, 0, size);
  blocks_[p] = Block{size, site ? site : "", line};
  return p;
}

void Memory::Free(void* p) {
  if (!p) return;
  std::unique_lock lock(mutex_);
  auto it = blocks_.find(p);
  if (it == blocks_.end()) {
    lock.unlock();
    diagnostics_.ReportMisbehaviour("MemFree of a block the host did not allocate");
    return;
  }
  blocks_.erase(it);
  std::free(p);
}

void Memory::FailAllocationsAt(const std::string& site, int count) {
  std::lock_guard lock(mutex_);
  failures_[site] = count;
}

void Memory::ClearFailures() {
  std::lock_guard lock(mutex_);
  failures_.clear();
}

std::size_t Memory::LiveBlocks() const {
  std::lock_guard lock(mutex_);
  return blocks_.size();
}

std::size_t Memory::LiveBlocksAt(const std::string& site) const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& [p, b] : blocks_)
    if (b.site.find(site) != std::string::npos) ++n;
  return n;
}

std::size_t Memory::LiveBytesAt(const std::string& site) const {
  std::lock_guard lock(mutex_);
  std::size_t bytes = 0;
  for (const auto& [p, b] : blocks_)
    if (b.site.find(site) != std::string::npos) bytes += b.size;
  return bytes;
}

}  // namespace host
