#include "scene/nodetypes.h"

namespace host {

const char* KindName(NodeKind kind) {
  switch (kind) {
    case NodeKind::Object:
      return "object";
    case NodeKind::Tag:
      return "tag";
    case NodeKind::Material:
      return "material";
    case NodeKind::Shader:
      return "shader";
    case NodeKind::PreferencePage:
      return "preference page";
    case NodeKind::GraphNode:
      return "graph node";
  }
  return "?";
}

std::optional<HostType> FindHostType(scn::Int32 type) {
  for (const HostType& t : kHostTypes)
    if (t.type == type) return t;
  return std::nullopt;
}

}  // namespace host
