#include "scene/sceneservice.h"

#include <algorithm>

#include "core/host.h"
#include "scene/document.h"
#include "scene/evaluation.h"
#include "scene/objwriter.h"
#include "scene/parameters.h"
#include "scene/scenefile.h"
#include "scene/scenenode.h"
#include "scene/scenetable.h"

namespace host {
namespace {
// The entries reach the service through this rather than Host::Current()->scene(): the host has already
// let go of its pointer while the service's destructor frees plug-in nodes, whose release calls back in.
SceneService* g_current = nullptr;
}  // namespace

SceneService::SceneService(Host& host) : host_(host), factory_(host, *this) {
  FillDocumentEntries(table_);
  FillNodeEntries(table_);
  FillGeometryEntries(table_);
  FillLinkEntries(table_);
  g_current = this;
}

SceneService::~SceneService() {
  FreeAll();
  if (g_current == this) g_current = nullptr;
}

void SceneService::FreeAll() {
  while (!documents_.empty()) FreeDocument(documents_.front().get());
  std::size_t leftover = 0;
  while (scn::SceneNode* node = nodes_.AnyUninserted()) {
    Free(*node);
    ++leftover;
  }
  if (leftover) host_.diagnostics().Output("scene: " + std::to_string(leftover) + " nodes were never freed");
  if (links_.Size())
    host_.diagnostics().Output("scene: " + std::to_string(links_.Size()) + " links were never freed");
}

SceneService* SceneService::Current() {
  return g_current;
}

scn::SceneNode* SceneService::CreatePluginNode(scn::Int32 type, scn::NodeAllocator alloc) {
  return factory_.MakePlugin(NodeKind::PreferencePage, type, alloc).release();
}

void SceneService::FreeNode(scn::SceneNode* node) {
  if (node && nodes_.Contains(node) && !node->freeing) Free(*node);
}

void SceneService::Free(scn::SceneNode& node) {
  node.Release();
  if (node.list)
    node.list->Take(node).reset();
  else
    delete &node;
}

void SceneService::ReleasePluginData(scn::SceneNode& node) {
  scn::NodeData* data = node.nodeData;
  if (!data) return;
  data->ReleaseNodeData(&node);
  node.nodeData = nullptr;
  data->~NodeData();
  host_.memory().Free(data);
}

scn::Document* SceneService::NewDocument(int fps) {
  if (fps < 1) {
    host_.diagnostics().Output("NewDocument: frame rate " + std::to_string(fps) + " is below 1");
    return nullptr;
  }
  documents_.push_back(std::make_unique<scn::Document>(fps));
  scn::Document* doc = documents_.back().get();
  if (!active_) active_ = doc;
  return doc;
}

bool SceneService::IsDocument(const scn::Document* doc) const {
  return doc &&
         std::any_of(documents_.begin(), documents_.end(), [doc](const auto& d) { return d.get() == doc; });
}

void SceneService::SetActiveDocument(scn::Document* doc) {
  if (doc && !IsDocument(doc)) {
    host_.diagnostics().Output("SetActiveDocument: unknown document");
    return;
  }
  active_ = doc;
}

void SceneService::FreeDocument(scn::Document* doc) {
  auto it =
      std::find_if(documents_.begin(), documents_.end(), [doc](const auto& d) { return d.get() == doc; });
  if (it == documents_.end()) {
    host_.diagnostics().Output("FreeDocument: unknown document");
    return;
  }
  if (doc->undo.IsOpen())
    host_.diagnostics().ReportMisbehaviour("undo step still open when its document was freed");
  // The document stays known while its nodes are freed: their release may still ask for it.
  doc->objects.Clear();
  doc->materials.Clear();
  std::unique_ptr<scn::Document> owned = std::move(*it);
  documents_.erase(it);
  if (active_ == doc) active_ = documents_.empty() ? nullptr : documents_.front().get();
}

void SceneService::SetDocumentFrame(scn::Document* doc, int frame) {
  if (!IsDocument(doc)) return;
  doc->time = {frame, doc->fps};
}

void SceneService::SetDocumentTime(scn::Document* doc, scn::TimeValue time) {
  if (!IsDocument(doc)) return;
  if (time.denominator < 1) {
    host_.diagnostics().Output("SetDocumentTime: denominator " + std::to_string(time.denominator) +
                               " is below 1");
    return;
  }
  doc->time = time;
}

void SceneService::SetDocumentPath(scn::Document* doc, std::filesystem::path path) {
  if (IsDocument(doc)) doc->path = std::move(path);
}

bool SceneService::EvaluateDocument(scn::Document* doc) {
  if (!host_.CheckMainThread("EvaluateDocument")) return false;
  if (!IsDocument(doc)) {
    host_.diagnostics().Output("EvaluateDocument: unknown document");
    return false;
  }
  host::EvaluateDocument(host_, *this, *doc);
  return true;
}

const scn::SceneNode* SceneService::Known(const scn::SceneNode* node) const {
  return node && nodes_.Contains(node) ? node : nullptr;
}

bool SceneService::IsParameterEnabled(scn::SceneNode* node, int id) {
  if (!Known(node)) return false;
  return host::IsParameterEnabled(*node, id);
}

int SceneService::MessageCount(const scn::SceneNode* node, int type) const {
  if (!Known(node)) return 0;
  auto it = node->messages.find(type);
  return it == node->messages.end() ? 0 : it->second;
}

int SceneService::DirtyCount(const scn::SceneNode* node) const {
  return Known(node) ? node->dirtyCount.load() : 0;
}

scn::UInt32 SceneService::LastDirtyMask(const scn::SceneNode* node) const {
  return Known(node) ? node->lastDirtyMask.load() : 0;
}

int SceneService::MaterialUpdateCount(const scn::SceneNode* node) const {
  return Known(node) ? node->materialUpdates : 0;
}

std::vector<UndoStep> SceneService::UndoSteps(const scn::Document* doc) const {
  return IsDocument(doc) ? doc->undo.Steps() : std::vector<UndoStep>{};
}

bool SceneService::Undo(scn::Document* doc) {
  if (!host_.CheckMainThread("Undo") || !IsDocument(doc)) return false;
  std::optional<UndoStep> step = doc->undo.TakeLast();
  if (!step) return false;
  for (auto it = step->entries.rbegin(); it != step->entries.rend(); ++it) {
    scn::SceneNode* node = nodes_.Find(it->nodeId);
    if (it->kind == scn::kUndoChange && it->tracks && node) node->tracks.Restore(*it->tracks);
  }
  return true;
}

bool SceneService::SaveSceneFile(const std::filesystem::path& file,
                                 const std::vector<const scn::SceneNode*>& objects) {
  std::string error;
  if (host::SaveSceneFile(*host_.Tables()->record, file, objects, &error)) return true;
  host_.diagnostics().Output("SaveSceneObjects: " + error);
  return false;
}

scn::SceneNode* SceneService::LoadSceneObject(const std::filesystem::path& file, const std::string& name) {
  std::string error;
  auto object = host::LoadSceneObject(*this, *host_.Tables()->record, file, name, &error);
  if (!object) host_.diagnostics().Output("LoadSceneObject: " + error);
  return object.release();
}

scn::SceneNode* SceneService::FindObject(scn::Document* doc, const std::string& name) {
  for (scn::SceneNode* n : Objects(doc))
    if (n->name == name) return n;
  return nullptr;
}

std::vector<scn::SceneNode*> SceneService::Objects(scn::Document* doc) {
  return IsDocument(doc) ? ObjectsDepthFirst(*doc) : std::vector<scn::SceneNode*>{};
}

std::string SceneService::WriteObj(const scn::SceneNode* polygonObject, bool transformed) const {
  return Known(polygonObject) ? host::WriteObj(*polygonObject, transformed) : std::string();
}

}  // namespace host
