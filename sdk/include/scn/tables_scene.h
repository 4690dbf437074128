// Scene services: documents, nodes, polygon objects, tags, materials, links, undo, parameters.
#pragma once

#include "scn/container.h"
#include "scn/handles.h"

namespace scn {

// Host node types.
inline constexpr Int32 kTypePolygonObject = 5100;
inline constexpr Int32 kTypeCamera = 5103;
inline constexpr Int32 kTypeNull = 5140;
inline constexpr Int32 kTypeSound = 5199;     // a sound file placed in the document's time
inline constexpr Int32 kTypeMaterial = 5703;  // standard material
inline constexpr Int32 kTagPhong = 5612;
inline constexpr Int32 kTagTexture = 5616;
inline constexpr Int32 kTagUVW = 5671;
inline constexpr Int32 kTagNodeGraph = 1001149;  // a node master (scn/tables_animation.h)
inline constexpr Int32 kTagPoseMorph = 1019760;  // poses of a polygon object (character-animation library)

// Sound object parameters.
inline constexpr Int32 kSoundFile = 1000;        // Filename, empty
inline constexpr Int32 kSoundStartFrame = 1001;  // Int32, 0: the document frame the sound starts at

// Texture tag parameters.
inline constexpr Int32 kTextureTagMaterial = 1010;  // link to the material
inline constexpr Int32 kTextureTagProjection = 1004;

// The priority of a tag whose AddToPriorityList slot adds nothing; tags run in ascending priority.
inline constexpr Int32 kTagPriorityDefault = 0;
// Node-graph tags run among them at this priority: after tags of lower priorities, before those of higher
// ones, in hierarchy order with those of the same.
inline constexpr Int32 kTagPriorityNodeGraph = 1000;

// Undo kinds.
inline constexpr Int32 kUndoNewNode = 44;
inline constexpr Int32 kUndoChange = 40;  // recorded before a node changes: undoing restores its tracks

// A polygon's corners; a triangle repeats its third corner in d.
struct Polygon {
  Int32 a = 0, b = 0, c = 0, d = 0;
  friend bool operator==(const Polygon&, const Polygon&) = default;
};

// Texture coordinates of one polygon's corners.
struct UVWPolygon {
  Vector a, b, c, d;
  friend bool operator==(const UVWPolygon&, const UVWPolygon&) = default;
};

// Document time in seconds as a fraction.
struct TimeValue {
  Int64 numerator = 0;
  Int64 denominator = 1;
};

// A link to a node; resolves to null once the node is gone.
struct NodeLink;

struct SceneTable {
  // main thread; the document shown to the user; may be null
  Document* (*GetActiveDocument)();
  // main thread; null for a node in no document
  Document* (*GetNodeDocument)(const SceneNode* node);
  TimeValue (*GetDocumentTime)(const Document* doc);
  Int32 (*GetDocumentFps)(const Document* doc);
  // main thread; false for a rate below 1
  Bool (*SetDocumentFps)(Document* doc, Int32 fps);
  // main thread; the frames the timeline plays, first and last included
  Bool (*GetDocumentRange)(const Document* doc, Int32* first, Int32* last);
  // main thread; false when last lies before first
  Bool (*SetDocumentRange)(Document* doc, Int32 first, Int32 last);
  // main thread; the folder the document was saved in, empty when never saved
  Filename (*GetDocumentPath)(const Document* doc);
  // main thread; the document's own settings, never null
  Container* (*GetDocumentContainer)(Document* doc);
  // main thread; the document takes ownership; parent null puts it at the top
  Bool (*InsertObject)(Document* doc, SceneNode* object, SceneNode* parent);
  Bool (*InsertMaterial)(Document* doc, SceneNode* material);
  // main thread; top-level objects in order, null after the last
  SceneNode* (*GetFirstObject)(Document* doc);
  // main thread; the next node of the same list (objects, tags, materials, shaders, graph nodes) or null
  SceneNode* (*GetNextNode)(const SceneNode* node);
  SceneNode* (*GetFirstChild)(const SceneNode* node);

  // main thread; a new node of a host or registered plug-in type, owned by the caller until inserted;
  // null for an unknown type or out of memory
  SceneNode* (*AllocateObject)(Int32 type);
  SceneNode* (*AllocatePolygonObject)(Int32 pointCount, Int32 polygonCount);
  SceneNode* (*AllocateMaterial)(Int32 type);
  SceneNode* (*AllocateShader)(Int32 type);
  // main thread; removes the node from its document first; null is ignored
  void (*FreeSceneNode)(SceneNode* node);
  // main thread; a deep copy (plug-in data through CopyNodeData, tracks, poses, graphs), not inserted; null
  // on failure; a graph node alone is misbehaviour (graph nodes are copied with their tag)
  SceneNode* (*CloneNode)(const SceneNode* node);

  Int32 (*GetNodeType)(const SceneNode* node);
  Int64 (*GetNodeId)(const SceneNode* node);
  String (*GetNodeName)(const SceneNode* node);
  void (*SetNodeName)(SceneNode* node, const String& name);
  // main thread; the node's parameter values, never null
  Container* (*GetNodeContainer)(SceneNode* node);
  // main thread; the plug-in data of a plug-in node, else null
  NodeData* (*GetNodeData)(SceneNode* node);
  // main thread; delivers a node message (OnNodeMessage for plug-in nodes); false when not handled
  Bool (*SendNodeMessage)(SceneNode* node, Int32 type, void* data);
  // any thread; marks the node changed for the given dirty bits
  void (*SetNodeDirty)(SceneNode* node, UInt32 mask);
  // main thread; the host reevaluates and redraws
  void (*NotifySceneChanged)(Int32 flags);

  // main thread; parameters through the node's hooks, as the host's attribute manager writes them
  Bool (*SetParameter)(SceneNode* node, Int32 id, const Value& value);
  Bool (*GetParameter)(SceneNode* node, Int32 id, Value* value);

  Matrix (*GetLocalMatrix)(const SceneNode* object);
  void (*SetLocalMatrix)(SceneNode* object, const Matrix& m);

  // Tags: main thread; the first tag of the type on the object or null; MakeTag inserts a new one (a pose
  // morph tag takes the object's points as its base, a node-graph tag starts with an empty node master)
  SceneNode* (*GetFirstTag)(SceneNode* object, Int32 type);
  SceneNode* (*MakeTag)(SceneNode* object, Int32 type, Int32 count);
  SceneNode* (*GetTagObject)(const SceneNode* tag);
  // main thread, only from that tag's AddToPriorityList slot; the tag runs once more at that priority this
  // evaluation; the flags are kept with the entry and change nothing here; false (reported) elsewhere
  Bool (*AddToPriorityList)(SceneNode* tag, Int32 priority, Int32 flags);

  // Polygon objects: main thread; arrays owned by the object, valid until its next resize
  Int32 (*GetPointCount)(const SceneNode* object);
  Int32 (*GetPolygonCount)(const SceneNode* object);
  Vector* (*GetPointsW)(SceneNode* object);
  Polygon* (*GetPolygonsW)(SceneNode* object);
  // keeps existing points and polygons; false when out of memory or no polygon object
  Bool (*ResizePolygonObject)(SceneNode* object, Int32 pointCount, Int32 polygonCount);

  // Texture-coordinate tags
  Int32 (*GetUVWCount)(const SceneNode* tag);
  Bool (*SetUVW)(SceneNode* tag, Int32 index, const UVWPolygon& uvw);
  Bool (*GetUVW)(const SceneNode* tag, Int32 index, UVWPolygon* uvw);

  // Materials and shaders: main thread; the material owns an inserted shader
  Bool (*InsertShader)(SceneNode* material, SceneNode* shader);
  SceneNode* (*GetFirstShader)(const SceneNode* material);
  void (*UpdateMaterial)(SceneNode* material, Int32 a, Int32 b);

  // Links: main thread; owned by the caller
  NodeLink* (*AllocateLink)();
  void (*FreeLink)(NodeLink* link);
  void (*SetLink)(NodeLink* link, const SceneNode* node);
  // null when the target is gone, in another document, or of another type (type 0: any)
  SceneNode* (*GetLinkTarget)(const NodeLink* link, const Document* doc, Int32 type);
  Bool (*CopyLink)(NodeLink* dest, const NodeLink* src);
  Bool (*WriteLinkRecord)(RecordFile* rf, const NodeLink* link);
  Bool (*ReadLinkRecord)(RecordFile* rf, NodeLink* link);
  // the node a link parameter value names in doc, or null
  SceneNode* (*ResolveLinkValue)(const Document* doc, Int64 nodeId, Int32 type);

  // Object records (a host object with its parameters, tags, tracks and children) inside a scene record;
  // main thread; false for a plug-in object
  Bool (*WriteObjectRecord)(RecordFile* rf, const SceneNode* object);
  // main thread; a new object owned by the caller; null when the record fails or is malformed
  SceneNode* (*ReadObjectRecord)(RecordFile* rf);

  // Scene files: object records in a file of the host's record format.
  // main thread; writes the objects (host objects) into the file, replacing it; false when any is refused
  // or the file cannot be written (an earlier file stays as it was)
  Bool (*SaveSceneObjects)(const Filename& file, const SceneNode* const* objects, Int32 count);
  // main thread; the first object of that name (depth-first) as a new node owned by the caller; null with
  // a diagnostic when the file is missing, damaged or holds no object of that name
  SceneNode* (*LoadSceneObject)(const Filename& file, const String& name);

  // Undo: main thread; steps nest, only the outermost makes a step
  Bool (*OpenUndoStep)(Document* doc);
  Bool (*RecordUndo)(Document* doc, Int32 kind, SceneNode* node);
  Bool (*CloseUndoStep)(Document* doc);
};

}  // namespace scn
