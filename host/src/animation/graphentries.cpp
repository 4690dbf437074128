// Animation table: node masters, graph nodes, ports and connections.
#include "animation/animationentries.h"
#include "animation/nodegraph.h"
#include "core/host.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

scn::SceneNode* GraphNode(const char* call, const scn::SceneNode* node) {
  return Node(call, node, NodeKind::GraphNode);
}

// An object node, or null: a node of another graph type is an answer, not misbehaviour.
scn::SceneNode* ObjectNode(const char* call, const scn::SceneNode* node) {
  scn::SceneNode* n = GraphNode(call, node);
  return n && n->type == scn::kGraphNodeObject ? n : nullptr;
}

void Say(const std::string& text) {
  if (Host* h = Host::Current()) h->diagnostics().Output(text);
}

scn::SceneNode* CreateGraphNode(scn::NodeMaster* master, scn::Int32 type, scn::Float64 x, scn::Float64 y,
                                const scn::String& name) {
  scn::NodeMaster* m = Master("CreateGraphNode", master);
  if (!m) return nullptr;
  if (m->tag.freeing) {
    Misbehaving("CreateGraphNode in a node-graph tag that is being freed");
    return nullptr;
  }
  if (!IsGraphNodeType(type)) {
    Say("CreateGraphNode: unknown graph node type " + std::to_string(type));
    return nullptr;
  }
  auto node = m->tag.service.factory().Make(NodeKind::GraphNode, type);
  if (!node) return nullptr;
  node->graph->x = x;
  node->graph->y = y;
  if (!name.empty()) node->name = name;
  return m->nodes.Append(std::move(node));
}

scn::SceneNode* FindGraphNode(scn::NodeMaster* master, scn::Int32 type, const scn::String& name) {
  scn::NodeMaster* m = Master("FindGraphNode", master);
  if (!m) return nullptr;
  for (scn::SceneNode* n = m->nodes.First(); n; n = m->nodes.After(*n))
    if ((type == 0 || n->type == type) && (name.empty() || n->name == name)) return n;
  return nullptr;
}

scn::Bool LinkGraphNode(scn::SceneNode* objectNode, const scn::SceneNode* target, scn::Int32 portSet,
                        scn::Int32 mode) {
  scn::SceneNode* n = GraphNode("LinkGraphNode", objectNode);
  if (!n) return false;
  scn::SceneNode* t = nullptr;
  if (target) {
    t = Node("LinkGraphNode", target);
    if (!t) return false;
  }
  if (n->type != scn::kGraphNodeObject || portSet != scn::kPortSetParameters ||
      !(mode & scn::kGraphLinkSet) || (mode & ~(scn::kGraphLinkSet | scn::kGraphLinkName))) {
    Say("LinkGraphNode: node type " + std::to_string(n->type) + ", port set " + std::to_string(portSet) +
        " and mode " + std::to_string(mode) + " link nothing");
    return false;
  }
  if (t && t->kind != NodeKind::Object && t->kind != NodeKind::Tag) {
    Say(std::string("LinkGraphNode: a ") + KindName(t->kind) + " has no parameters to link");
    return false;
  }
  n->graph->linkId = t ? t->id : 0;
  if (t && (mode & scn::kGraphLinkName)) n->name = t->name;
  return true;
}

scn::GraphPort* AddGraphPort(scn::SceneNode* objectNode, scn::Bool input, scn::Int32 id, scn::Int32 subId) {
  scn::SceneNode* n = ObjectNode("AddGraphPort", objectNode);
  if (!n) return nullptr;
  if (n->freeing) {
    Misbehaving("AddGraphPort on a node that is being freed");
    return nullptr;
  }
  return AddPort(*n, input, id, subId);
}

const std::vector<std::unique_ptr<scn::GraphPort>>* PortList(const char* call, const scn::SceneNode* node,
                                                             bool input) {
  scn::SceneNode* n = GraphNode(call, node);
  if (!n) return nullptr;
  return input ? &n->graph->inputs : &n->graph->outputs;
}

scn::Bool ConnectPorts(scn::GraphPort* output, scn::GraphPort* input) {
  scn::GraphPort* out = Port("ConnectPorts", output);
  scn::GraphPort* in = out ? Port("ConnectPorts", input) : nullptr;
  if (!in) return false;
  const std::string refused = Connect(*out, *in);
  if (refused.empty()) return true;
  Say("ConnectPorts: \"" + out->node.name + "\" to \"" + in->node.name + "\" refused: " + refused);
  return false;
}

scn::GraphPort* GetPortConnection(const scn::GraphPort* port, scn::Int32 index) {
  scn::GraphPort* p = Port("GetPortConnection", port);
  if (!p || index < 0) return nullptr;
  if (p->input) return index == 0 ? SourceOf(*p) : nullptr;
  std::vector<scn::GraphPort*> consumers = Consumers(*p);
  return static_cast<std::size_t>(index) < consumers.size() ? consumers[static_cast<std::size_t>(index)]
                                                            : nullptr;
}

}  // namespace

void FillGraphEntries(scn::AnimationTable& t) {
  t.GetNodeMaster = [](scn::SceneNode* graphTag) -> scn::NodeMaster* {
    scn::SceneNode* n = Node("GetNodeMaster", graphTag, NodeKind::Tag);
    return n ? n->master.get() : nullptr;
  };
  t.CreateGraphNode = CreateGraphNode;
  t.GetFirstGraphNode = [](scn::NodeMaster* master) -> scn::SceneNode* {
    scn::NodeMaster* m = Master("GetFirstGraphNode", master);
    return m ? m->nodes.First() : nullptr;
  };
  t.FindGraphNode = FindGraphNode;
  t.GetGraphNodeMaster = [](const scn::SceneNode* graphNode) -> scn::NodeMaster* {
    scn::SceneNode* n = GraphNode("GetGraphNodeMaster", graphNode);
    scn::SceneNode* tag = n ? n->Parent() : nullptr;
    return tag ? tag->master.get() : nullptr;
  };
  t.GetGraphNodePosition = [](const scn::SceneNode* graphNode, scn::Float64* x,
                              scn::Float64* y) -> scn::Bool {
    scn::SceneNode* n = GraphNode("GetGraphNodePosition", graphNode);
    if (!n) return false;
    if (x) *x = n->graph->x;
    if (y) *y = n->graph->y;
    return true;
  };
  t.LinkGraphNode = LinkGraphNode;
  t.GetGraphNodeLink = [](const scn::SceneNode* objectNode, const scn::Document* doc) -> scn::SceneNode* {
    scn::SceneNode* n = ObjectNode("GetGraphNodeLink", objectNode);
    if (!n || (doc && !Doc("GetGraphNodeLink", doc))) return nullptr;
    scn::SceneNode* linked = LinkedNode(*n);
    return linked && linked->Doc() == doc ? linked : nullptr;
  };
  t.AddGraphPort = AddGraphPort;
  t.FindGraphPort = [](scn::SceneNode* objectNode, scn::Bool input, scn::Int32 id,
                       scn::Int32 subId) -> scn::GraphPort* {
    scn::SceneNode* n = ObjectNode("FindGraphPort", objectNode);
    return n ? FindPort(*n, input, id, subId) : nullptr;
  };
  t.GetGraphPortCount = [](const scn::SceneNode* graphNode, scn::Bool input) -> scn::Int32 {
    auto* ports = PortList("GetGraphPortCount", graphNode, input);
    return ports ? static_cast<scn::Int32>(ports->size()) : 0;
  };
  t.GetGraphPort = [](scn::SceneNode* graphNode, scn::Bool input, scn::Int32 index) -> scn::GraphPort* {
    auto* ports = PortList("GetGraphPort", graphNode, input);
    if (!ports || index < 0 || static_cast<std::size_t>(index) >= ports->size()) return nullptr;
    return (*ports)[static_cast<std::size_t>(index)].get();
  };
  t.GetPortNode = [](const scn::GraphPort* port) -> scn::SceneNode* {
    scn::GraphPort* p = Port("GetPortNode", port);
    return p ? &p->node : nullptr;
  };
  t.GetPortAddress = [](const scn::GraphPort* port, scn::Int32* id, scn::Int32* subId) -> scn::Bool {
    scn::GraphPort* p = Port("GetPortAddress", port);
    if (!p || !p->parameter) return false;
    if (id) *id = p->paramId;
    if (subId) *subId = p->subId;
    return true;
  };
  t.ConnectPorts = ConnectPorts;
  t.GetPortConnection = GetPortConnection;
}

}  // namespace host
