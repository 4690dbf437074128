#include "scene/evaluation.h"

#include <vector>

#include "animation/graphrun.h"
#include "animation/trackevaluation.h"
#include "core/host.h"
#include "registry/registry.h"
#include "scene/document.h"
#include "scene/prioritylist.h"
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

bool Evaluates(const scn::SceneNode& tag) {
  return tag.nodeData || tag.master;
}

std::vector<scn::Int64> EvaluatedTagIds(const scn::SceneNode& object) {
  std::vector<scn::Int64> ids;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t))
    if (Evaluates(*t)) ids.push_back(t->id);
  return ids;
}

scn::SceneNode* StillInDocument(SceneService& scene, scn::Int64 id, const scn::Document& doc) {
  scn::SceneNode* node = scene.nodes().Find(id);
  return node && node->Doc() == &doc ? node : nullptr;
}

// The tag, when it is still a plug-in or node-graph tag on that object.
scn::SceneNode* StillOn(SceneService& scene, scn::Int64 tagId, const scn::SceneNode& object) {
  scn::SceneNode* tag = scene.nodes().Find(tagId);
  return tag && tag->Parent() == &object && Evaluates(*tag) ? tag : nullptr;
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

void AskTags(SceneService& scene, const scn::Document& doc, const std::vector<scn::Int64>& objectIds,
             PriorityList& list) {
  for (scn::Int64 objectId : objectIds) {
    scn::SceneNode* object = StillInDocument(scene, objectId, doc);
    if (!object) continue;
    for (scn::Int64 tagId : EvaluatedTagIds(*object)) {
      // A slot may have freed or moved the object as well.
      object = StillInDocument(scene, objectId, doc);
      if (!object) break;
      scn::SceneNode* tag = StillOn(scene, tagId, *object);
      if (!tag) continue;
      if (tag->nodeData)
        list.Ask(*tag, *object);
      else
        list.AddHostTag(*tag, *object, scn::kTagPriorityNodeGraph);
    }
  }
}

void Execute(SceneService& scene, scn::Document& doc, const PriorityEntry& entry) {
  scn::SceneNode* object = StillInDocument(scene, entry.objectId, doc);
  scn::SceneNode* tag = object ? StillOn(scene, entry.tagId, *object) : nullptr;
  if (!tag) return;
  if (tag->nodeData)
    static_cast<scn::TagData*>(tag->nodeData)->ExecuteTag(tag, &doc, object, entry.priority);
  else
    RunGraph(*tag);
}

}  // namespace

void EvaluateDocument(Host& host, SceneService& scene, scn::Document& doc) {
  ApplyTracks(scene, doc);
  const std::vector<scn::Int64> ids = ObjectIds(doc);
  // Generators first, so that tags follow this evaluation's results.
  for (scn::Int64 id : ids) {
    scn::SceneNode* object = StillInDocument(scene, id, doc);
    if (object && IsGenerator(host, *object)) Generate(host, scene, *object);
  }
  PriorityList& list = scene.priorities();
  list.Clear();
  AskTags(scene, doc, ids, list);
  const std::vector<PriorityEntry> entries = list.InOrder();
  list.Clear();
  for (const PriorityEntry& entry : entries) Execute(scene, doc, entry);
}

}  // namespace host
