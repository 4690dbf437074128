// A document's undo steps. Steps nest: only the outermost open and close make a step, and everything
// recorded in between lands in it. A change entry keeps the node's tracks as they were when it was
// recorded, for undoing.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "animation/track.h"
#include "scn/types.h"

namespace host {

struct UndoEntry {
  UndoEntry(scn::Int32 k, scn::Int64 id, std::shared_ptr<const std::vector<TrackData>> t = nullptr)
      : kind(k), nodeId(id), tracks(std::move(t)) {}

  scn::Int32 kind = 0;
  scn::Int64 nodeId = 0;
  std::shared_ptr<const std::vector<TrackData>> tracks;  // change entries
  friend bool operator==(const UndoEntry& a, const UndoEntry& b) {
    return a.kind == b.kind && a.nodeId == b.nodeId;
  }
};

struct UndoStep {
  std::vector<UndoEntry> entries;
  friend bool operator==(const UndoStep&, const UndoStep&) = default;
};

class UndoLog {
 public:
  void Open();
  // False when no step is open.
  bool Record(UndoEntry entry);
  // False when no step is open.
  bool Close();
  bool IsOpen() const { return depth_ > 0; }
  // Finished steps, oldest first; an open step is not among them.
  std::vector<UndoStep> Steps() const;
  // The last finished step, taken off the log; nothing while a step is open or none is left.
  std::optional<UndoStep> TakeLast();

 private:
  int depth_ = 0;
  std::vector<UndoStep> steps_;  // the last one is being filled while open
};

}  // namespace host
