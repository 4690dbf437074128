// A document's undo steps. Steps nest: only the outermost open and close make a step, and everything
// recorded in between lands in it.
#pragma once

#include <vector>

#include "scn/types.h"

namespace host {

struct UndoEntry {
  scn::Int32 kind = 0;
  scn::Int64 nodeId = 0;
  friend bool operator==(const UndoEntry&, const UndoEntry&) = default;
};

struct UndoStep {
  std::vector<UndoEntry> entries;
  friend bool operator==(const UndoStep&, const UndoStep&) = default;
};

class UndoLog {
 public:
  void Open();
  // False when no step is open.
  bool Record(scn::Int32 kind, scn::Int64 nodeId);
  // False when no step is open.
  bool Close();
  bool IsOpen() const { return depth_ > 0; }
  // Finished steps, oldest first; an open step is not among them.
  std::vector<UndoStep> Steps() const;

 private:
  int depth_ = 0;
  std::vector<UndoStep> steps_;  // the last one is being filled while open
};

}  // namespace host
