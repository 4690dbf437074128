#include "scene/evaluation.h"

#include <vector>

#include "core/host.h"
#include "registry/registry.h"
#include "scene/document.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

// Ids, not pointers: plug-in code may free nodes while the walk runs.
std::vector<scn::Int64> ObjectIds(const scn::Document& doc) {
  std::vector<scn::Int64> ids;
  for (scn::SceneNode* n : ObjectsDepthFirst(doc)) ids.push_back(n->id);
  return ids;
}

scn::SceneNode* StillInDocument(SceneService& scene, scn::Int64 id, const scn::Document& doc) {
  scn::SceneNode* node = scene.nodes().Find(id);
  return node && node->Doc() == &doc ? node : nullptr;
}

bool IsGenerator(Host& host, const scn::SceneNode& node) {
  if (!node.nodeData) return false;
  const Registration* r = host.registry().Find(node.type, PluginKind::Object);
  return r && (r->flags & kObjectGenerator) != 0;
}

void Generate(Host& host, SceneService& scene, scn::SceneNode& object) {
  scn::SceneNode* out = static_cast<scn::ObjectData*>(object.nodeData)->EvaluateGenerator(&object);
  if (!out) return;
  if (out == &object || !scene.nodes().Contains(out) || out->list) {
    host.diagnostics().ReportMisbehaviour("EvaluateGenerator of type " + std::to_string(object.type) +
                                          " returned a node it does not own");
    return;
  }
  scene.Free(*out);
}

void ExecuteTags(SceneService& scene, scn::Document& doc, scn::SceneNode& object) {
  std::vector<scn::Int64> tagIds;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t))
    if (t->nodeData) tagIds.push_back(t->id);
  for (scn::Int64 id : tagIds) {
    scn::SceneNode* tag = scene.nodes().Find(id);
    if (!tag || tag->Parent() != &object) continue;
    static_cast<scn::TagData*>(tag->nodeData)->ExecuteTag(tag, &doc, &object);
  }
}

}  // namespace

void EvaluateDocument(Host& host, SceneService& scene, scn::Document& doc) {
  const std::vector<scn::Int64> ids = ObjectIds(doc);
  // Generators first, so that tags follow this evaluation's results.
  for (scn::Int64 id : ids) {
    scn::SceneNode* object = StillInDocument(scene, id, doc);
    if (object && IsGenerator(host, *object)) Generate(host, scene, *object);
  }
  for (scn::Int64 id : ids) {
    scn::SceneNode* object = StillInDocument(scene, id, doc);
    if (object) ExecuteTags(scene, doc, *object);
  }
}

}  // namespace host
