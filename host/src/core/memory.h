// Plug-in memory: every block remembers its allocation site; allocations can be made to fail.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>

namespace host {

class Diagnostics;

class Memory {
 public:
  explicit Memory(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}
  ~Memory();

  // any thread; null when out of memory or made to fail
  void* Alloc(std::size_t size, const char* site, int line, bool clear);
  // any thread; a pointer the host did not hand out is reported
  void Free(void* p);

  // The next allocations whose site contains this text fail (count times; -1 = always).
  void FailAllocationsAt(const std::string& site, int count = 1);
  void ClearFailures();

  std::size_t LiveBlocks() const;
  std::size_t LiveBlocksAt(const std::string& site) const;
  // The bytes of the live blocks whose site contains this text.
  std::size_t LiveBytesAt(const std::string& site) const;

 private:
  struct Block {
    std::size_t size;
    std::string site;
    int line;
  };
  bool ShouldFail(const char* site);

  Diagnostics& diagnostics_;
  mutable std::mutex mutex_;
  std::map<void*, Block> blocks_;
  std::map<std::string, int> failures_;
};

}  // namespace host
