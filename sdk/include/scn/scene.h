// Scene calls, named as plug-in code calls them.
#pragma once

#include "scn/tables_scene.h"

namespace scn {

Document* GetActiveDocument();
Document* GetNodeDocument(const SceneNode* node);
TimeValue GetDocumentTime(const Document* doc);
Int32 GetDocumentFps(const Document* doc);
Bool SetDocumentFps(Document* doc, Int32 fps);
Bool GetDocumentRange(const Document* doc, Int32* first, Int32* last);
Bool SetDocumentRange(Document* doc, Int32 first, Int32 last);
Filename GetDocumentPath(const Document* doc);
Container* GetDocumentContainer(Document* doc);
Bool InsertObject(Document* doc, SceneNode* object, SceneNode* parent = nullptr);
Bool InsertMaterial(Document* doc, SceneNode* material);
SceneNode* GetFirstObject(Document* doc);
SceneNode* GetNextNode(const SceneNode* node);
SceneNode* GetFirstChild(const SceneNode* node);

SceneNode* AllocateObject(Int32 type);
SceneNode* AllocatePolygonObject(Int32 pointCount, Int32 polygonCount);
SceneNode* AllocateMaterial(Int32 type = kTypeMaterial);
SceneNode* AllocateShader(Int32 type);
void FreeSceneNode(SceneNode*& node);
SceneNode* CloneNode(const SceneNode* node);

Int32 GetNodeType(const SceneNode* node);
Int64 GetNodeId(const SceneNode* node);
String GetNodeName(const SceneNode* node);
void SetNodeName(SceneNode* node, const String& name);
Container* GetNodeContainer(SceneNode* node);
NodeData* GetNodeData(SceneNode* node);
Bool SendNodeMessage(SceneNode* node, Int32 type, void* data = nullptr);
void SetNodeDirty(SceneNode* node, UInt32 mask);
void NotifySceneChanged(Int32 flags);

Bool SetParameter(SceneNode* node, Int32 id, const Value& value);
Bool GetParameter(SceneNode* node, Int32 id, Value* value);

Matrix GetLocalMatrix(const SceneNode* object);
void SetLocalMatrix(SceneNode* object, const Matrix& m);

SceneNode* GetFirstTag(SceneNode* object, Int32 type);
SceneNode* MakeTag(SceneNode* object, Int32 type, Int32 count = 0);
SceneNode* GetTagObject(const SceneNode* tag);
Bool AddToPriorityList(SceneNode* tag, Int32 priority, Int32 flags);

Int32 GetPointCount(const SceneNode* object);
Int32 GetPolygonCount(const SceneNode* object);
Vector* GetPointsW(SceneNode* object);
Polygon* GetPolygonsW(SceneNode* object);
Bool ResizePolygonObject(SceneNode* object, Int32 pointCount, Int32 polygonCount);

Int32 GetUVWCount(const SceneNode* tag);
Bool SetUVW(SceneNode* tag, Int32 index, const UVWPolygon& uvw);
Bool GetUVW(const SceneNode* tag, Int32 index, UVWPolygon* uvw);

Bool InsertShader(SceneNode* material, SceneNode* shader);
SceneNode* GetFirstShader(const SceneNode* material);
void UpdateMaterial(SceneNode* material, Int32 a, Int32 b);

NodeLink* AllocateLink();
void FreeLink(NodeLink*& link);
void SetLink(NodeLink* link, const SceneNode* node);
SceneNode* GetLinkTarget(const NodeLink* link, const Document* doc, Int32 type = 0);
Bool CopyLink(NodeLink* dest, const NodeLink* src);
Bool WriteLinkRecord(RecordFile* rf, const NodeLink* link);
Bool ReadLinkRecord(RecordFile* rf, NodeLink* link);
SceneNode* ResolveLinkValue(const Document* doc, Int64 nodeId, Int32 type = 0);

Bool WriteObjectRecord(RecordFile* rf, const SceneNode* object);
SceneNode* ReadObjectRecord(RecordFile* rf);
Bool SaveSceneObjects(const Filename& file, const SceneNode* const* objects, Int32 count);
SceneNode* LoadSceneObject(const Filename& file, const String& name);

Bool OpenUndoStep(Document* doc);
Bool RecordUndo(Document* doc, Int32 kind, SceneNode* node);
Bool CloseUndoStep(Document* doc);

}  // namespace scn
