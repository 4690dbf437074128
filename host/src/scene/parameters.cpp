#include "scene/parameters.h"

#include "scene/scenenode.h"
#include "scn/tables.h"

namespace host {

bool SetParameter(scn::SceneNode& node, scn::Int32 id, const scn::Value& value) {
  scn::Int32 flags = 0;
  if (node.nodeData && !node.nodeData->WriteParameterHook(&node, id, value, flags)) return false;
  if (!(flags & scn::kParamSet)) node.data.Set(id, value);
  MarkDirty(node, kDirtyData);
  return true;
}

bool GetParameter(scn::SceneNode& node, scn::Int32 id, scn::Value& value) {
  value = {};
  scn::Value supplied;
  scn::Int32 flags = 0;
  if (node.nodeData && !node.nodeData->ReadParameterHook(&node, id, supplied, flags)) return false;
  if (flags & scn::kParamSet) {
    value = std::move(supplied);
    return true;
  }
  const scn::Value* stored = node.data.Find(id);
  if (!stored) return false;
  value = *stored;
  return true;
}

bool IsParameterEnabled(scn::SceneNode& node, scn::Int32 id) {
  if (!node.nodeData) return true;
  return node.nodeData->IsParameterEnabled(&node, id, scn::Container{});
}

void MarkDirty(scn::SceneNode& node, scn::UInt32 mask) {
  node.lastDirtyMask = mask;
  ++node.dirtyCount;
}

}  // namespace host
