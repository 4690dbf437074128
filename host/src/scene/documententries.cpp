// Scene table: documents and the object hierarchy.
#include "scene/document.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

// An uninserted node the caller hands over; inserted nodes must be freed or left where they are.
bool CanInsert(const char* call, const scn::SceneNode& node) {
  if (node.list || node.freeing) {
    Misbehaving(std::string(call) + " with a node that is already inserted or being freed");
    return false;
  }
  return true;
}

scn::Bool InsertObject(scn::Document* doc, scn::SceneNode* object, scn::SceneNode* parent) {
  scn::Document* d = Doc("InsertObject", doc);
  scn::SceneNode* o = d ? Node("InsertObject", object, NodeKind::Object) : nullptr;
  if (!o || !CanInsert("InsertObject", *o)) return false;
  if (!parent) {
    d->objects.Append(std::unique_ptr<scn::SceneNode>(o));
    return true;
  }
  scn::SceneNode* p = Node("InsertObject", parent, NodeKind::Object);
  if (!p) return false;
  if (p->Doc() != d || p->freeing) {
    Misbehaving("InsertObject under a parent that is not in the document");
    return false;
  }
  p->children.Append(std::unique_ptr<scn::SceneNode>(o));
  return true;
}

scn::Bool InsertMaterial(scn::Document* doc, scn::SceneNode* material) {
  scn::Document* d = Doc("InsertMaterial", doc);
  scn::SceneNode* m = d ? Node("InsertMaterial", material, NodeKind::Material) : nullptr;
  if (!m || !CanInsert("InsertMaterial", *m)) return false;
  d->materials.Append(std::unique_ptr<scn::SceneNode>(m));
  return true;
}

}  // namespace

void FillDocumentEntries(scn::SceneTable& t) {
  t.GetActiveDocument = []() -> scn::Document* {
    SceneService* s = Enter("GetActiveDocument");
    return s ? s->ActiveDocument() : nullptr;
  };
  t.GetNodeDocument = [](const scn::SceneNode* node) -> scn::Document* {
    scn::SceneNode* n = Node("GetNodeDocument", node);
    return n ? n->Doc() : nullptr;
  };
  t.GetDocumentTime = [](const scn::Document* doc) {
    scn::Document* d = Doc("GetDocumentTime", doc);
    return d ? d->time : scn::TimeValue{};
  };
  t.GetDocumentFps = [](const scn::Document* doc) {
    scn::Document* d = Doc("GetDocumentFps", doc);
    return d ? d->fps : 0;
  };
  t.SetDocumentFps = [](scn::Document* doc, scn::Int32 fps) -> scn::Bool {
    scn::Document* d = Doc("SetDocumentFps", doc);
    if (!d || fps < 1) return false;
    d->fps = fps;
    return true;
  };
  t.GetDocumentRange = [](const scn::Document* doc, scn::Int32* first, scn::Int32* last) -> scn::Bool {
    scn::Document* d = Doc("GetDocumentRange", doc);
    if (!d) return false;
    if (first) *first = d->firstFrame;
    if (last) *last = d->lastFrame;
    return true;
  };
  t.SetDocumentRange = [](scn::Document* doc, scn::Int32 first, scn::Int32 last) -> scn::Bool {
    scn::Document* d = Doc("SetDocumentRange", doc);
    if (!d || last < first) return false;
    d->firstFrame = first;
    d->lastFrame = last;
    return true;
  };
  t.GetDocumentPath = [](const scn::Document* doc) {
    scn::Document* d = Doc("GetDocumentPath", doc);
    return d ? scn::Filename(d->path.generic_string()) : scn::Filename();
  };
  t.GetDocumentContainer = [](scn::Document* doc) -> scn::Container* {
    scn::Document* d = Doc("GetDocumentContainer", doc);
    return d ? &d->settings : nullptr;
  };
  t.InsertObject = InsertObject;
  t.InsertMaterial = InsertMaterial;
  t.GetFirstObject = [](scn::Document* doc) {
    scn::Document* d = Doc("GetFirstObject", doc);
    return d ? d->objects.First() : nullptr;
  };
  // The next node of the node's list: sibling object, tag, material, shader or graph node.
  t.GetNextNode = [](const scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetNextNode", node);
    return n && n->list ? n->list->After(*n) : nullptr;
  };
  t.GetFirstChild = [](const scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetFirstChild", node);
    return n ? n->children.First() : nullptr;
  };
}

}  // namespace host
