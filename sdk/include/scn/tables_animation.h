// Animation services: tracks and keys, node graphs, and the character-animation library (poses).
#pragma once

#include "scn/tables_scene.h"

namespace scn {

// Parameter addresses: a description id and a sub id. Tracks and graph ports read and write one Float64
// through them (graph ports also a whole Vector: a Vector parameter, or a matrix part, with sub id 0):
//   sub id 0                      the parameter itself (Float, Int32 rounded, Bool: rounds to non-zero; a
//                                 parameter the node lacks becomes a Float)
//   kVectorX, kVectorY, kVectorZ  a component of a Vector parameter
//   kParamPosition, kParamRotation, kParamScale with kVectorX/Y/Z
//                                 an object's local matrix: position, rotation as heading (about Y),
//                                 pitch (about X) and bank (about Z) in radians, matrix
//                                 Ry(heading) x Rx(pitch) x Rz(bank), and the scale of each axis
//   kSubIdPoseStrength            a pose strength (Float 0..1) of a pose morph tag, at PoseStrengthId(n);
//                                 on an object, the strength of the object's pose morph tag
inline constexpr Int32 kVectorX = 1000;
inline constexpr Int32 kVectorY = 1001;
inline constexpr Int32 kVectorZ = 1002;
inline constexpr Int32 kParamPosition = 900;
inline constexpr Int32 kParamRotation = 901;
inline constexpr Int32 kParamScale = 902;
inline constexpr Int32 kSubIdPoseStrength = 4000;
constexpr Int32 PoseStrengthId(Int32 pose) {
  return pose * 100 + 1001;
}

// A key's time in document time: frame at the document's frame rate.
constexpr TimeValue FrameTime(Int32 frame, Int32 fps) {
  return {frame, fps};
}

struct AnimKey {
  TimeValue time;
  Float64 value = 0.0;
};

// Node graphs: the node-graph tag kTagNodeGraph holds a node master, whose nodes are scene nodes
// (names, parameters through GetNodeContainer, freed with FreeSceneNode, the next one by GetNextNode).
inline constexpr Int32 kGraphNodeObject = 400001000;       // stands for a linked object or tag
inline constexpr Int32 kGraphNodeRangeMapper = 400001136;  // one input, one output
// LinkGraphNode: the port set of an object node's linked parameters, and what the mode does.
inline constexpr Int32 kPortSetParameters = 400000008;
inline constexpr Int32 kGraphLinkSet = 1;   // link the node to the target
inline constexpr Int32 kGraphLinkName = 2;  // name the node after the target
// Range mapper parameters (Float): input range, default 0..1, onto output range, default 0..1; the output
// is clamped to the output range.
inline constexpr Int32 kRangeMapperInputLow = 1000;
inline constexpr Int32 kRangeMapperInputHigh = 1001;
inline constexpr Int32 kRangeMapperOutputLow = 1002;
inline constexpr Int32 kRangeMapperOutputHigh = 1003;

// Every call of these tables reports a call off the main thread, and a node, track, master or port that
// is null or no longer alive, as misbehaviour, and answers null, false, -1 or 0.
struct AnimationTable {
  // Tracks: a node holds at most one track per parameter address; a track's keys are sorted by time. While
  // the document is evaluated every track of its objects and their tags writes its value at the document
  // time, before generators run. Tracks and keys belong to their node.

  // main thread; the node's track of that address, or null
  AnimTrack* (*FindTrack)(SceneNode* node, Int32 id, Int32 subId);
  // main thread; a new track without keys, last in the node's tracks; null when the node has one already
  AnimTrack* (*CreateTrack)(SceneNode* node, Int32 id, Int32 subId);
  // main thread; takes the track off its node and frees it; null is ignored
  void (*FreeTrack)(AnimTrack* track);
  // main thread; the node's tracks in order, null after the last
  AnimTrack* (*GetFirstTrack)(SceneNode* node);
  AnimTrack* (*GetNextTrack)(const AnimTrack* track);
  // main thread; the track's address
  Bool (*GetTrackAddress)(const AnimTrack* track, Int32* id, Int32* subId);
  // main thread; the node holding the track
  SceneNode* (*GetTrackNode)(const AnimTrack* track);
  // main thread
  Int32 (*GetKeyCount)(const AnimTrack* track);
  // main thread; a key at that time replaces the one there; false for a denominator below 1 or a value
  // that is not finite (reported)
  Bool (*SetKey)(AnimTrack* track, TimeValue time, Float64 value);
  // main thread; keys by index in time order; an index outside the keys is misbehaviour
  Bool (*GetKey)(const AnimTrack* track, Int32 index, AnimKey* key);
  Bool (*RemoveKey)(AnimTrack* track, Int32 index);
  // main thread; frees every track of the node
  void (*RemoveAllTracks)(SceneNode* node);
  // main thread; linear between keys, the end keys' values held outside them; false for a track without
  // keys or a denominator below 1
  Bool (*EvaluateTrack)(const AnimTrack* track, TimeValue time, Float64* value);

  // Node graphs. While the document is evaluated each node-graph tag runs at kTagPriorityNodeGraph:
  // object output ports read their linked node's parameter, range mappers map, object input ports write.

  // main thread; the tag's node master, owned by the tag; null for a tag that is no node-graph tag
  NodeMaster* (*GetNodeMaster)(SceneNode* graphTag);
  // main thread; a new node of the master at (x, y), named name (empty: the type's name); null for an
  // unknown type
  SceneNode* (*CreateGraphNode)(NodeMaster* master, Int32 type, Float64 x, Float64 y, const String& name);
  // main thread; the master's nodes in order (then GetNextNode), null when it has none
  SceneNode* (*GetFirstGraphNode)(NodeMaster* master);
  // main thread; the first node of that type (0: any) and name (empty: any), or null
  SceneNode* (*FindGraphNode)(NodeMaster* master, Int32 type, const String& name);
  // main thread; the master holding a graph node
  NodeMaster* (*GetGraphNodeMaster)(const SceneNode* graphNode);
  Bool (*GetGraphNodePosition)(const SceneNode* graphNode, Float64* x, Float64* y);
  // main thread; links an object node to an object or tag (null: unlinks); port set kPortSetParameters,
  // mode kGraphLinkSet with or without kGraphLinkName; false for another graph node type, port set or mode,
  // or a target that is no object or tag
  Bool (*LinkGraphNode)(SceneNode* objectNode, const SceneNode* target, Int32 portSet, Int32 mode);
  // main thread; the object node's linked node in doc, or null (unlinked, gone, in another document)
  SceneNode* (*GetGraphNodeLink)(const SceneNode* objectNode, const Document* doc);
  // main thread; an object node's port for a parameter address of its linked node (input: written,
  // output: read); an existing port of that address and direction is handed back; null for another type
  GraphPort* (*AddGraphPort)(SceneNode* objectNode, Bool input, Int32 id, Int32 subId);
  // main thread; an object node's port of that address and direction, or null
  GraphPort* (*FindGraphPort)(SceneNode* objectNode, Bool input, Int32 id, Int32 subId);
  // main thread; a node's input or output ports in order (a range mapper has one of each)
  Int32 (*GetGraphPortCount)(const SceneNode* graphNode, Bool input);
  GraphPort* (*GetGraphPort)(SceneNode* graphNode, Bool input, Int32 index);
  // main thread; the node of the port
  SceneNode* (*GetPortNode)(const GraphPort* port);
  // main thread; an object node port's address; false for a port that stands for no parameter
  Bool (*GetPortAddress)(const GraphPort* port, Int32* id, Int32* subId);
  // main thread; connects an output to an input of another node of the same master, replacing the input's
  // connection; false when the input would feed back into the output's node (a cycle), the value types
  // differ (a number and a Vector), or the ports do not fit (directions, masters)
  Bool (*ConnectPorts)(GraphPort* output, GraphPort* input);
  // main thread; an input's output (index 0), or the index-th input an output feeds; null when none
  GraphPort* (*GetPortConnection)(const GraphPort* port, Int32 index);
};

// Library 1019742. Poses of a polygon object live in its pose morph tag (kTagPoseMorph): base points and
// numbered pose targets 0, 1, 2, ... (their points, as many as the base), each with a strength at
// PoseStrengthId(n) of the tag (Float 0..1, address sub id kSubIdPoseStrength). A commit makes the object's
// points the base plus the sum of strength x (target - base); evaluating the document commits nothing.
struct CharacterAnimationLibrary {
  // main thread; prepares the object for poses: its pose morph tag, made with the object's points as the
  // base when it has none; null for a node that is no polygon object
  SceneNode* (*MakePoseMorphTag)(SceneNode* object, Document* doc);
  // main thread; adds pose target n = the pose count, its points a copy of the base, strength 0; -1 when the
  // object has no pose morph tag
  Int32 (*AddPose)(SceneNode* object, const String& name);
  // main thread; the number of the first pose of that name, or -1
  Int32 (*FindPose)(SceneNode* object, const String& name);
  // main thread; 0 without a pose morph tag
  Int32 (*GetPoseCount)(SceneNode* object);
  // main thread; empty for an unknown pose
  String (*GetPoseName)(SceneNode* object, Int32 pose);
  // main thread; the pose's target points (as many as the base points), valid until the tag changes; null
  // for an unknown pose or a base without points
  Vector* (*GetPosePointsW)(SceneNode* object, Int32 pose);
  // main thread; false for an unknown pose or a strength that is not finite; strengths are clamped to 0..1
  Bool (*GetPoseStrength)(SceneNode* object, Int32 pose, Float64* strength);
  Bool (*SetPoseStrength)(SceneNode* object, Int32 pose, Float64 strength);
  // main thread; prepares the object for poses (MakePoseMorphTag) and adds a pose for each polygon object of
  // node type `type` below it (depth 1: its children, -1: every depth) that has the object's point count
  // and whose name is no pose yet: named after it, its points the target. The number added, -1 when the
  // object cannot take poses
  Int32 (*AddPoseTargets)(SceneNode* object, Document* doc, Int32 type, Int32 depth);
  // main thread; reads the target points of existing poses again from the objects of node type `type` below
  // the object (depth as above) that carry their names and the object's point count. The number read
  // again, -1 when the object has no pose morph tag
  Int32 (*UpdatePoseTargets)(SceneNode* object, Document* doc, Int32 type, Int32 depth);
  // main thread; writes base + weighted pose offsets into the object's points; false without a pose morph
  // tag or when the object's point count is no longer the base's
  Bool (*CommitPoses)(SceneNode* object, Document* doc);
};

}  // namespace scn
