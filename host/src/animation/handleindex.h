// The live handles of one kind (tracks, node masters, graph ports): the entries check every handle they
// are handed against it, and ports are found by id.
#pragma once

#include <unordered_map>
#include <unordered_set>

#include "scn/types.h"

namespace host {

template <typename T>
class HandleIndex {
 public:
  void Add(T* handle) {
    live_.insert(handle);
    byId_[handle->id] = handle;
  }
  void Remove(const T* handle) {
    live_.erase(handle);
    byId_.erase(handle->id);
  }
  bool Contains(const T* handle) const { return live_.count(handle) != 0; }
  T* Find(scn::Int64 id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : it->second;
  }
  std::size_t Size() const { return live_.size(); }

 private:
  std::unordered_set<const T*> live_;
  std::unordered_map<scn::Int64, T*> byId_;
};

}  // namespace host
