#include "scene/undo.h"

namespace host {

void UndoLog::Open() {
  if (depth_++ == 0) steps_.emplace_back();
}

bool UndoLog::Record(UndoEntry entry) {
  if (!IsOpen()) return false;
  steps_.back().entries.push_back(std::move(entry));
  return true;
}

bool UndoLog::Close() {
  if (!IsOpen()) return false;
  --depth_;
  return true;
}

std::vector<UndoStep> UndoLog::Steps() const {
  if (!IsOpen()) return steps_;
  return {steps_.begin(), steps_.end() - 1};
}

std::optional<UndoStep> UndoLog::TakeLast() {
  if (IsOpen() || steps_.empty()) return std::nullopt;
  UndoStep last = std::move(steps_.back());
  steps_.pop_back();
  return last;
}

}  // namespace host
