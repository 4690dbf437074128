#include "scn/scene.h"

#include "scn/api.h"

namespace scn {
namespace {
const SceneTable& S() {
  return *GetHostTables()->scene;
}
}  // namespace

Document* GetActiveDocument() {
  return S().GetActiveDocument();
}
Document* GetNodeDocument(const SceneNode* node) {
  return S().GetNodeDocument(node);
}
TimeValue GetDocumentTime(const Document* doc) {
  return S().GetDocumentTime(doc);
}
Int32 GetDocumentFps(const Document* doc) {
  return S().GetDocumentFps(doc);
}
Bool SetDocumentFps(Document* doc, Int32 fps) {
  return S().SetDocumentFps(doc, fps);
}
Bool GetDocumentRange(const Document* doc, Int32* first, Int32* last) {
  return S().GetDocumentRange(doc, first, last);
}
Bool SetDocumentRange(Document* doc, Int32 first, Int32 last) {
  return S().SetDocumentRange(doc, first, last);
}
Filename GetDocumentPath(const Document* doc) {
  return S().GetDocumentPath(doc);
}
Container* GetDocumentContainer(Document* doc) {
  return S().GetDocumentContainer(doc);
}
Bool InsertObject(Document* doc, SceneNode* object, SceneNode* parent) {
  return S().InsertObject(doc, object, parent);
}
Bool InsertMaterial(Document* doc, SceneNode* material) {
  return S().InsertMaterial(doc, material);
}
SceneNode* GetFirstObject(Document* doc) {
  return S().GetFirstObject(doc);
}
SceneNode* GetNextNode(const SceneNode* node) {
  return S().GetNextNode(node);
}
SceneNode* GetFirstChild(const SceneNode* node) {
  return S().GetFirstChild(node);
}
SceneNode* AllocateObject(Int32 type) {
  return S().AllocateObject(type);
}
SceneNode* AllocatePolygonObject(Int32 pointCount, Int32 polygonCount) {
  return S().AllocatePolygonObject(pointCount, polygonCount);
}
SceneNode* AllocateMaterial(Int32 type) {
  return S().AllocateMaterial(type);
}
SceneNode* AllocateShader(Int32 type) {
  return S().AllocateShader(type);
}
void FreeSceneNode(SceneNode*& node) {
  if (!node) return;
  S().FreeSceneNode(node);
  node = nullptr;
}
SceneNode* CloneNode(const SceneNode* node) {
  return S().CloneNode(node);
}
Int32 GetNodeType(const SceneNode* node) {
  return S().GetNodeType(node);
}
Int64 GetNodeId(const SceneNode* node) {
  return S().GetNodeId(node);
}
String GetNodeName(const SceneNode* node) {
  return S().GetNodeName(node);
}
void SetNodeName(SceneNode* node, const String& name) {
  S().SetNodeName(node, name);
}
Container* GetNodeContainer(SceneNode* node) {
  return S().GetNodeContainer(node);
}
NodeData* GetNodeData(SceneNode* node) {
  return S().GetNodeData(node);
}
Bool SendNodeMessage(SceneNode* node, Int32 type, void* data) {
  return S().SendNodeMessage(node, type, data);
}
void SetNodeDirty(SceneNode* node, UInt32 mask) {
  S().SetNodeDirty(node, mask);
}
void NotifySceneChanged(Int32 flags) {
  S().NotifySceneChanged(flags);
}
Bool SetParameter(SceneNode* node, Int32 id, const Value& value) {
  return S().SetParameter(node, id, value);
}
Bool GetParameter(SceneNode* node, Int32 id, Value* value) {
  return S().GetParameter(node, id, value);
}
Matrix GetLocalMatrix(const SceneNode* object) {
  return S().GetLocalMatrix(object);
}
void SetLocalMatrix(SceneNode* object, const Matrix& m) {
  S().SetLocalMatrix(object, m);
}
SceneNode* GetFirstTag(SceneNode* object, Int32 type) {
  return S().GetFirstTag(object, type);
}
SceneNode* MakeTag(SceneNode* object, Int32 type, Int32 count) {
  return S().MakeTag(object, type, count);
}
SceneNode* GetTagObject(const SceneNode* tag) {
  return S().GetTagObject(tag);
}
Bool AddToPriorityList(SceneNode* tag, Int32 priority, Int32 flags) {
  return S().AddToPriorityList(tag, priority, flags);
}
Int32 GetPointCount(const SceneNode* object) {
  return S().GetPointCount(object);
}
Int32 GetPolygonCount(const SceneNode* object) {
  return S().GetPolygonCount(object);
}
Vector* GetPointsW(SceneNode* object) {
  return S().GetPointsW(object);
}
Polygon* GetPolygonsW(SceneNode* object) {
  return S().GetPolygonsW(object);
}
Bool ResizePolygonObject(SceneNode* object, Int32 pointCount, Int32 polygonCount) {
  return S().ResizePolygonObject(object, pointCount, polygonCount);
}
Int32 GetUVWCount(const SceneNode* tag) {
  return S().GetUVWCount(tag);
}
Bool SetUVW(SceneNode* tag, Int32 index, const UVWPolygon& uvw) {
  return S().SetUVW(tag, index, uvw);
}
Bool GetUVW(const SceneNode* tag, Int32 index, UVWPolygon* uvw) {
  return S().GetUVW(tag, index, uvw);
}
Bool InsertShader(SceneNode* material, SceneNode* shader) {
  return S().InsertShader(material, shader);
}
SceneNode* GetFirstShader(const SceneNode* material) {
  return S().GetFirstShader(material);
}
void UpdateMaterial(SceneNode* material, Int32 a, Int32 b) {
  S().UpdateMaterial(material, a, b);
}
NodeLink* AllocateLink() {
  return S().AllocateLink();
}
void FreeLink(NodeLink*& link) {
  if (!link) return;
  S().FreeLink(link);
  link = nullptr;
}
void SetLink(NodeLink* link, const SceneNode* node) {
  S().SetLink(link, node);
}
SceneNode* GetLinkTarget(const NodeLink* link, const Document* doc, Int32 type) {
  return S().GetLinkTarget(link, doc, type);
}
Bool CopyLink(NodeLink* dest, const NodeLink* src) {
  return S().CopyLink(dest, src);
}
Bool WriteLinkRecord(RecordFile* rf, const NodeLink* link) {
  return S().WriteLinkRecord(rf, link);
}
Bool ReadLinkRecord(RecordFile* rf, NodeLink* link) {
  return S().ReadLinkRecord(rf, link);
}
SceneNode* ResolveLinkValue(const Document* doc, Int64 nodeId, Int32 type) {
  return S().ResolveLinkValue(doc, nodeId, type);
}
Bool WriteObjectRecord(RecordFile* rf, const SceneNode* object) {
  return S().WriteObjectRecord(rf, object);
}
SceneNode* ReadObjectRecord(RecordFile* rf) {
  return S().ReadObjectRecord(rf);
}
Bool SaveSceneObjects(const Filename& file, const SceneNode* const* objects, Int32 count) {
  return S().SaveSceneObjects(file, objects, count);
}
SceneNode* LoadSceneObject(const Filename& file, const String& name) {
  return S().LoadSceneObject(file, name);
}
Bool OpenUndoStep(Document* doc) {
  return S().OpenUndoStep(doc);
}
Bool RecordUndo(Document* doc, Int32 kind, SceneNode* node) {
  return S().RecordUndo(doc, kind, node);
}
Bool CloseUndoStep(Document* doc) {
  return S().CloseUndoStep(doc);
}

}  // namespace scn
