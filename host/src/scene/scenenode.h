// Host nodes: objects, tags, shaders, materials and preference pages.
#pragma once

#include <string>

#include "scn/container.h"
#include "scn/nodedata.h"

namespace scn {

struct SceneNode {
  Int64 id = 0;          // unique in the process; links refer to it
  Int32 type = 0;        // plug-in id or host type
  std::string name;
  Container data;        // parameter values
  NodeData* nodeData = nullptr;  // the plug-in's data, owned by the node
  Document* document = nullptr;
};

}  // namespace scn
