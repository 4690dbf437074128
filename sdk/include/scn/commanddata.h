// Base classes of commands and message plug-ins.
#pragma once

#include "scn/handles.h"
#include "scn/types.h"

namespace scn {

class CommandData {
 public:
  virtual ~CommandData() = default;
  virtual Bool ExecuteCommand(Document* doc);
  virtual Int32 QueryCommandState(Document* doc);
  virtual Bool RestoreWindow(Document* doc, Int32 subId, void* layoutData);
};

class MessageData {
 public:
  virtual ~MessageData() = default;
  virtual Bool HandleMessage(Int32 id, void* data);
};

}  // namespace scn
