// Scene table: links, object records, scene files and undo.
#include <exception>

#include "core/host.h"
#include "scene/document.h"
#include "scene/links.h"
#include "scene/objectrecord.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

const scn::RecordTable& Records() {
  return *Host::Current()->Tables()->record;
}

// Null stands for "in no document"; any other document must be one of the service's.
bool DocumentOrNone(const char* call, const scn::Document* doc) {
  return !doc || Doc(call, doc);
}

void SetLink(scn::NodeLink* link, const scn::SceneNode* node) {
  scn::NodeLink* l = Link("SetLink", link);
  if (!l) return;
  if (!node) {
    l->nodeId = 0;
    return;
  }
  if (scn::SceneNode* n = Node("SetLink", node)) l->nodeId = n->id;
}

scn::SceneNode* GetLinkTarget(const scn::NodeLink* link, const scn::Document* doc, scn::Int32 type) {
  scn::NodeLink* l = Link("GetLinkTarget", link);
  if (!l || !DocumentOrNone("GetLinkTarget", doc)) return nullptr;
  return ResolveNode(SceneService::Current()->nodes(), doc, l->nodeId, type);
}

scn::Bool CopyLink(scn::NodeLink* dest, const scn::NodeLink* src) {
  scn::NodeLink* d = Link("CopyLink", dest);
  scn::NodeLink* s = d ? Link("CopyLink", src) : nullptr;
  if (!s) return false;
  d->nodeId = s->nodeId;
  return true;
}

scn::SceneNode* ResolveLinkValue(const scn::Document* doc, scn::Int64 nodeId, scn::Int32 type) {
  SceneService* s = Enter("ResolveLinkValue");
  if (!s || !DocumentOrNone("ResolveLinkValue", doc)) return nullptr;
  return ResolveNode(s->nodes(), doc, nodeId, type);
}

scn::Bool WriteObjectRecordEntry(scn::RecordFile* rf, const scn::SceneNode* object) {
  scn::SceneNode* o = Node("WriteObjectRecord", object, NodeKind::Object);
  if (!o) return false;
  if (o->nodeData) {
    Misbehaving("WriteObjectRecord of a plug-in object");
    return false;
  }
  return WriteObjectRecord(Records(), rf, *o);
}

scn::SceneNode* ReadObjectRecordEntry(scn::RecordFile* rf) {
  SceneService* s = Enter("ReadObjectRecord");
  if (!s) return nullptr;
  try {
    auto object = ReadObjectRecord(*s, Records(), rf);
    if (!object)
      s->host().diagnostics().Output("ReadObjectRecord: the record holds no object or is malformed");
    return object.release();
  } catch (const std::exception&) {
    s->host().diagnostics().Output("ReadObjectRecord: out of memory");
    return nullptr;
  }
}

scn::Bool SaveSceneObjects(const scn::Filename& file, const scn::SceneNode* const* objects,
                           scn::Int32 count) {
  SceneService* s = Enter("SaveSceneObjects");
  if (!s) return false;
  if (count < 0 || (count > 0 && !objects)) {
    Misbehaving("SaveSceneObjects with a negative count or no objects");
    return false;
  }
  std::vector<const scn::SceneNode*> list;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::SceneNode* o = Node("SaveSceneObjects", objects[i], NodeKind::Object);
    if (!o) return false;
    if (o->nodeData) {
      Misbehaving("SaveSceneObjects with a plug-in object");
      return false;
    }
    list.push_back(o);
  }
  try {
    return s->SaveSceneFile(file.GetString(), list);
  } catch (const std::exception&) {
    s->host().diagnostics().Output("SaveSceneObjects: out of memory");
    return false;
  }
}

scn::SceneNode* LoadSceneObject(const scn::Filename& file, const scn::String& name) {
  SceneService* s = Enter("LoadSceneObject");
  if (!s) return nullptr;
  try {
    return s->LoadSceneObject(file.GetString(), name);
  } catch (const std::exception&) {
    s->host().diagnostics().Output("LoadSceneObject: out of memory reading " + file.GetString());
    return nullptr;
  }
}

scn::Bool RecordUndo(scn::Document* doc, scn::Int32 kind, scn::SceneNode* node) {
  scn::Document* d = Doc("RecordUndo", doc);
  scn::SceneNode* n = d ? Node("RecordUndo", node) : nullptr;
  if (!n) return false;
  UndoEntry entry{kind, n->id, nullptr};
  if (kind == scn::kUndoChange)
    entry.tracks = std::make_shared<const std::vector<TrackData>>(n->tracks.Snapshot());
  if (!d->undo.Record(std::move(entry))) {
    Misbehaving("RecordUndo outside an open undo step");
    return false;
  }
  return true;
}

scn::Bool CloseUndoStep(scn::Document* doc) {
  scn::Document* d = Doc("CloseUndoStep", doc);
  if (!d) return false;
  if (!d->undo.Close()) {
    Misbehaving("CloseUndoStep without an open undo step");
    return false;
  }
  return true;
}

}  // namespace

void FillLinkEntries(scn::SceneTable& t) {
  t.AllocateLink = []() -> scn::NodeLink* {
    SceneService* s = Enter("AllocateLink");
    return s ? s->links().Allocate() : nullptr;
  };
  t.FreeLink = [](scn::NodeLink* link) {
    if (!link) return;
    if (scn::NodeLink* l = Link("FreeLink", link)) SceneService::Current()->links().Free(l);
  };
  t.SetLink = SetLink;
  t.GetLinkTarget = GetLinkTarget;
  t.CopyLink = CopyLink;
  t.WriteLinkRecord = [](scn::RecordFile* rf, const scn::NodeLink* link) {
    scn::NodeLink* l = Link("WriteLinkRecord", link);
    return l && WriteLink(Records(), rf, *l);
  };
  t.ReadLinkRecord = [](scn::RecordFile* rf, scn::NodeLink* link) {
    scn::NodeLink* l = Link("ReadLinkRecord", link);
    return l && ReadLink(Records(), rf, l);
  };
  t.ResolveLinkValue = ResolveLinkValue;

  t.WriteObjectRecord = WriteObjectRecordEntry;
  t.ReadObjectRecord = ReadObjectRecordEntry;
  t.SaveSceneObjects = SaveSceneObjects;
  t.LoadSceneObject = LoadSceneObject;

  t.OpenUndoStep = [](scn::Document* doc) {
    scn::Document* d = Doc("OpenUndoStep", doc);
    if (d) d->undo.Open();
    return d != nullptr;
  };
  t.RecordUndo = RecordUndo;
  t.CloseUndoStep = CloseUndoStep;
}

}  // namespace host
