#include "scn/animation.h"

#include "scn/api.h"

namespace scn {
namespace {
const AnimationTable& A() {
  return *GetHostTables()->animation;
}
}  // namespace

AnimTrack* FindTrack(SceneNode* node, Int32 id, Int32 subId) {
  return A().FindTrack(node, id, subId);
}
AnimTrack* CreateTrack(SceneNode* node, Int32 id, Int32 subId) {
  return A().CreateTrack(node, id, subId);
}
void FreeTrack(AnimTrack*& track) {
  if (!track) return;
  A().FreeTrack(track);
  track = nullptr;
}
AnimTrack* GetFirstTrack(SceneNode* node) {
  return A().GetFirstTrack(node);
}
AnimTrack* GetNextTrack(const AnimTrack* track) {
  return A().GetNextTrack(track);
}
Bool GetTrackAddress(const AnimTrack* track, Int32* id, Int32* subId) {
  return A().GetTrackAddress(track, id, subId);
}
SceneNode* GetTrackNode(const AnimTrack* track) {
  return A().GetTrackNode(track);
}
Int32 GetKeyCount(const AnimTrack* track) {
  return A().GetKeyCount(track);
}
Bool SetKey(AnimTrack* track, TimeValue time, Float64 value) {
  return A().SetKey(track, time, value);
}
Bool GetKey(const AnimTrack* track, Int32 index, AnimKey* key) {
  return A().GetKey(track, index, key);
}
Bool RemoveKey(AnimTrack* track, Int32 index) {
  return A().RemoveKey(track, index);
}
void RemoveAllTracks(SceneNode* node) {
  A().RemoveAllTracks(node);
}
Bool EvaluateTrack(const AnimTrack* track, TimeValue time, Float64* value) {
  return A().EvaluateTrack(track, time, value);
}

NodeMaster* GetNodeMaster(SceneNode* graphTag) {
  return A().GetNodeMaster(graphTag);
}
SceneNode* CreateGraphNode(NodeMaster* master, Int32 type, Float64 x, Float64 y, const String& name) {
  return A().CreateGraphNode(master, type, x, y, name);
}
SceneNode* GetFirstGraphNode(NodeMaster* master) {
  return A().GetFirstGraphNode(master);
}
SceneNode* FindGraphNode(NodeMaster* master, Int32 type, const String& name) {
  return A().FindGraphNode(master, type, name);
}
NodeMaster* GetGraphNodeMaster(const SceneNode* graphNode) {
  return A().GetGraphNodeMaster(graphNode);
}
Bool GetGraphNodePosition(const SceneNode* graphNode, Float64* x, Float64* y) {
  return A().GetGraphNodePosition(graphNode, x, y);
}
Bool LinkGraphNode(SceneNode* objectNode, const SceneNode* target, Int32 portSet, Int32 mode) {
  return A().LinkGraphNode(objectNode, target, portSet, mode);
}
SceneNode* GetGraphNodeLink(const SceneNode* objectNode, const Document* doc) {
  return A().GetGraphNodeLink(objectNode, doc);
}
GraphPort* AddGraphPort(SceneNode* objectNode, Bool input, Int32 id, Int32 subId) {
  return A().AddGraphPort(objectNode, input, id, subId);
}
GraphPort* FindGraphPort(SceneNode* objectNode, Bool input, Int32 id, Int32 subId) {
  return A().FindGraphPort(objectNode, input, id, subId);
}
Int32 GetGraphPortCount(const SceneNode* graphNode, Bool input) {
  return A().GetGraphPortCount(graphNode, input);
}
GraphPort* GetGraphPort(SceneNode* graphNode, Bool input, Int32 index) {
  return A().GetGraphPort(graphNode, input, index);
}
SceneNode* GetPortNode(const GraphPort* port) {
  return A().GetPortNode(port);
}
Bool GetPortAddress(const GraphPort* port, Int32* id, Int32* subId) {
  return A().GetPortAddress(port, id, subId);
}
Bool ConnectPorts(GraphPort* output, GraphPort* input) {
  return A().ConnectPorts(output, input);
}
GraphPort* GetPortConnection(const GraphPort* port, Int32 index) {
  return A().GetPortConnection(port, index);
}

}  // namespace scn
