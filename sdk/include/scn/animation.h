// Animation calls, named as plug-in code calls them: tracks and keys, node graphs.
#pragma once

#include "scn/tables_animation.h"

namespace scn {

AnimTrack* FindTrack(SceneNode* node, Int32 id, Int32 subId = 0);
AnimTrack* CreateTrack(SceneNode* node, Int32 id, Int32 subId = 0);
void FreeTrack(AnimTrack*& track);
AnimTrack* GetFirstTrack(SceneNode* node);
AnimTrack* GetNextTrack(const AnimTrack* track);
Bool GetTrackAddress(const AnimTrack* track, Int32* id, Int32* subId);
SceneNode* GetTrackNode(const AnimTrack* track);
Int32 GetKeyCount(const AnimTrack* track);
Bool SetKey(AnimTrack* track, TimeValue time, Float64 value);
Bool GetKey(const AnimTrack* track, Int32 index, AnimKey* key);
Bool RemoveKey(AnimTrack* track, Int32 index);
void RemoveAllTracks(SceneNode* node);
Bool EvaluateTrack(const AnimTrack* track, TimeValue time, Float64* value);

NodeMaster* GetNodeMaster(SceneNode* graphTag);
SceneNode* CreateGraphNode(NodeMaster* master, Int32 type, Float64 x, Float64 y, const String& name = {});
SceneNode* GetFirstGraphNode(NodeMaster* master);
SceneNode* FindGraphNode(NodeMaster* master, Int32 type, const String& name = {});
NodeMaster* GetGraphNodeMaster(const SceneNode* graphNode);
Bool GetGraphNodePosition(const SceneNode* graphNode, Float64* x, Float64* y);
Bool LinkGraphNode(SceneNode* objectNode, const SceneNode* target, Int32 portSet = kPortSetParameters,
                   Int32 mode = kGraphLinkSet | kGraphLinkName);
SceneNode* GetGraphNodeLink(const SceneNode* objectNode, const Document* doc);
GraphPort* AddGraphPort(SceneNode* objectNode, Bool input, Int32 id, Int32 subId = 0);
GraphPort* FindGraphPort(SceneNode* objectNode, Bool input, Int32 id, Int32 subId = 0);
Int32 GetGraphPortCount(const SceneNode* graphNode, Bool input);
GraphPort* GetGraphPort(SceneNode* graphNode, Bool input, Int32 index);
SceneNode* GetPortNode(const GraphPort* port);
Bool GetPortAddress(const GraphPort* port, Int32* id, Int32* subId);
Bool ConnectPorts(GraphPort* output, GraphPort* input);
GraphPort* GetPortConnection(const GraphPort* port, Int32 index = 0);

}  // namespace scn
