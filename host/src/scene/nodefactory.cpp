#include "scene/nodefactory.h"

#include "core/host.h"
#include "registry/registry.h"
#include "scene/hostnodes.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

// Plug-ins register no materials and no graph nodes.
const Registration* FindRegistration(Host& host, NodeKind kind, scn::Int32 type) {
  switch (kind) {
    case NodeKind::Object:
      return host.registry().Find(type, PluginKind::Object);
    case NodeKind::Tag:
      return host.registry().Find(type, PluginKind::Tag);
    case NodeKind::Shader:
      return host.registry().Find(type, PluginKind::Shader);
    case NodeKind::PreferencePage:
      return host.registry().Find(type, PluginKind::PreferencePage);
    case NodeKind::Material:
    case NodeKind::GraphNode:
      return nullptr;
  }
  return nullptr;
}

std::string TypeText(NodeKind kind, scn::Int32 type) {
  return std::string(KindName(kind)) + " type " + std::to_string(type);
}

}  // namespace

std::unique_ptr<scn::SceneNode> NodeFactory::Make(NodeKind kind, scn::Int32 type) {
  if (auto hostType = FindHostType(type)) {
    if (hostType->kind != kind) {
      host_.diagnostics().Output("no " + TypeText(kind, type) + ": it is a host " + KindName(hostType->kind));
      return nullptr;
    }
    auto node = std::make_unique<scn::SceneNode>(scene_, kind, type);
    node->name = hostType->name;
    InitHostNode(*node);
    return node;
  }
  const Registration* r = FindRegistration(host_, kind, type);
  if (!r) {
    host_.diagnostics().Output("unknown " + TypeText(kind, type));
    return nullptr;
  }
  auto node = MakePlugin(kind, type, r->alloc);
  if (node) node->name = r->name;
  return node;
}

std::unique_ptr<scn::SceneNode> NodeFactory::MakePlugin(NodeKind kind, scn::Int32 type,
                                                        scn::NodeAllocator alloc) {
  scn::NodeData* data = alloc ? alloc() : nullptr;
  if (!data) {
    host_.diagnostics().Output("the allocator of " + TypeText(kind, type) + " gave no data");
    return nullptr;
  }
  auto node = std::make_unique<scn::SceneNode>(scene_, kind, type);
  node->nodeData = data;
  if (!data->InitNodeData(node.get())) {
    host_.diagnostics().Output("InitNodeData of " + TypeText(kind, type) + " failed");
    return nullptr;  // the node releases and frees the data
  }
  return node;
}

std::unique_ptr<scn::SceneNode> NodeFactory::CloneShell(const scn::SceneNode& source) {
  if (!source.nodeData) {
    auto node = std::make_unique<scn::SceneNode>(scene_, source.kind, source.type);
    InitHostNode(*node);
    return node;
  }
  const Registration* r = FindRegistration(host_, source.kind, source.type);
  if (!r) {
    host_.diagnostics().Output("CloneNode: " + TypeText(source.kind, source.type) +
                               " is no longer registered");
    return nullptr;
  }
  return MakePlugin(source.kind, source.type, r->alloc);
}

bool NodeFactory::CloneList(const NodeList& from, NodeList& to) {
  for (scn::SceneNode* n = from.First(); n; n = from.After(*n)) {
    auto copy = Clone(*n);
    if (!copy) return false;
    to.Append(std::move(copy));
  }
  return true;
}

std::unique_ptr<scn::SceneNode> NodeFactory::Clone(const scn::SceneNode& source) {
  auto copy = CloneShell(source);
  if (!copy) return nullptr;
  // The source's values replace the defaults InitNodeData set.
  copy->name = source.name;
  copy->data = source.data;
  copy->matrix = source.matrix;
  copy->points = source.points;
  copy->polygons = source.polygons;
  copy->uvw = source.uvw;
  if (!CloneList(source.tags, copy->tags) || !CloneList(source.children, copy->children) ||
      !CloneList(source.shaders, copy->shaders) || !CopyHostState(source, *copy, *this))
    return nullptr;
  auto* sourceNode = const_cast<scn::SceneNode*>(&source);
  if (source.nodeData && !source.nodeData->CopyNodeData(copy->nodeData, sourceNode, copy.get())) {
    host_.diagnostics().Output("CloneNode: CopyNodeData of " + TypeText(source.kind, source.type) +
                               " failed");
    return nullptr;
  }
  return copy;
}

}  // namespace host
