#include "scene/sceneservice.h"

#include "core/host.h"
#include "scene/scenenode.h"
#include "scn/api.h"

namespace host {

SceneService::SceneService(Host& host) : host_(host) {}
SceneService::~SceneService() = default;

const scn::SceneTable* SceneService::Table() const { return nullptr; }

scn::SceneNode* SceneService::CreatePluginNode(scn::Int32 type, scn::NodeAllocator alloc) {
  if (!alloc) return nullptr;
  scn::NodeData* data = alloc();
  if (!data) return nullptr;
  auto* node = new scn::SceneNode;
  node->id = nextId_++;
  node->type = type;
  node->nodeData = data;
  if (!data->InitNodeData(node)) {
    FreeNode(node);
    return nullptr;
  }
  return node;
}

void SceneService::FreeNode(scn::SceneNode* node) {
  if (!node) return;
  if (node->nodeData) {
    node->nodeData->ReleaseNodeData(node);
    node->nodeData->~NodeData();
    host_.memory().Free(node->nodeData);
  }
  delete node;
}

}  // namespace host
