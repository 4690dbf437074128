#include "scene/undo.h"

namespace host {

void UndoLog::Open() {
  if (depth_++ == 0) steps_.emplace_back();
}

bool UndoLog::Record(scn::Int32 kind, scn::Int64 nodeId) {
  if (!IsOpen()) return false;
  steps_.back().entries.push_back({kind, nodeId});
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

}  // namespace host
