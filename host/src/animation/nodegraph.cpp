#include "animation/nodegraph.h"

#include <algorithm>
#include <map>

#include "animation/channel.h"
#include "scene/links.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scn/tables_animation.h"

namespace host {
namespace {

using Ports = std::vector<std::unique_ptr<scn::GraphPort>>;

const Ports& PortsOf(const scn::SceneNode& node, bool input) {
  return input ? node.graph->inputs : node.graph->outputs;
}

const scn::NodeMaster* MasterOf(const scn::SceneNode& graphNode) {
  const scn::SceneNode* tag = graphNode.Parent();
  return tag ? tag->master.get() : nullptr;
}

PortKind KindOf(const scn::GraphPort& port) {
  if (!port.parameter) return PortKind::Number;
  scn::SceneNode* linked = LinkedNode(port.node);
  if (!linked) return PortKind::Number;
  switch (KindAt(*linked, port.paramId, port.subId)) {
    case ChannelKind::Number:
    case ChannelKind::Missing:
      return PortKind::Number;
    case ChannelKind::Vector:
      return PortKind::Vector;
    case ChannelKind::Other:
      return PortKind::Other;
  }
  return PortKind::Other;
}

// The nodes fed by a node's outputs.
std::vector<const scn::SceneNode*> Downstream(const scn::SceneNode& node) {
  std::vector<const scn::SceneNode*> out;
  for (const auto& output : node.graph->outputs)
    for (scn::GraphPort* input : Consumers(*output))
      if (std::find(out.begin(), out.end(), &input->node) == out.end()) out.push_back(&input->node);
  return out;
}

bool Reaches(const scn::SceneNode& from, const scn::SceneNode& to) {
  std::vector<const scn::SceneNode*> pending{&from}, seen;
  while (!pending.empty()) {
    const scn::SceneNode* n = pending.back();
    pending.pop_back();
    if (n == &to) return true;
    if (std::find(seen.begin(), seen.end(), n) != seen.end()) continue;
    seen.push_back(n);
    for (const scn::SceneNode* next : Downstream(*n)) pending.push_back(next);
  }
  return false;
}

}  // namespace

bool IsGraphNodeType(scn::Int32 type) {
  return type == scn::kGraphNodeObject || type == scn::kGraphNodeRangeMapper;
}

bool InitGraphNode(scn::SceneNode& node) {
  if (!IsGraphNodeType(node.type)) return false;
  node.graph = std::make_unique<GraphNodeState>();
  if (node.type != scn::kGraphNodeRangeMapper) return true;
  node.data.SetFloat(scn::kRangeMapperInputLow, 0.0);
  node.data.SetFloat(scn::kRangeMapperInputHigh, 1.0);
  node.data.SetFloat(scn::kRangeMapperOutputLow, 0.0);
  node.data.SetFloat(scn::kRangeMapperOutputHigh, 1.0);
  node.graph->inputs.push_back(std::make_unique<scn::GraphPort>(node, true, 0, 0, false));
  node.graph->outputs.push_back(std::make_unique<scn::GraphPort>(node, false, 0, 0, false));
  return true;
}

scn::GraphPort* FindPort(const scn::SceneNode& node, bool input, scn::Int32 id, scn::Int32 subId) {
  for (const auto& p : PortsOf(node, input))
    if (p->parameter && p->paramId == id && p->subId == subId) return p.get();
  return nullptr;
}

scn::GraphPort* AddPort(scn::SceneNode& node, bool input, scn::Int32 id, scn::Int32 subId) {
  if (scn::GraphPort* existing = FindPort(node, input, id, subId)) return existing;
  Ports& ports = input ? node.graph->inputs : node.graph->outputs;
  ports.push_back(std::make_unique<scn::GraphPort>(node, input, id, subId, true));
  return ports.back().get();
}

scn::SceneNode* LinkedNode(const scn::SceneNode& objectNode) {
  if (!objectNode.graph || objectNode.graph->linkId == 0) return nullptr;
  scn::SceneNode* linked =
      ResolveNode(objectNode.service.nodes(), objectNode.Doc(), objectNode.graph->linkId, 0);
  if (!linked || (linked->kind != NodeKind::Object && linked->kind != NodeKind::Tag)) return nullptr;
  return linked;
}

scn::GraphPort* SourceOf(const scn::GraphPort& input) {
  if (!input.input || input.sourceId == 0) return nullptr;
  scn::GraphPort* source = input.node.service.animation().ports.Find(input.sourceId);
  if (!source || source->input || MasterOf(source->node) != MasterOf(input.node)) return nullptr;
  return source;
}

std::vector<scn::GraphPort*> Consumers(const scn::GraphPort& output) {
  std::vector<scn::GraphPort*> out;
  const scn::NodeMaster* master = MasterOf(output.node);
  if (output.input || !master) return out;
  for (scn::SceneNode* n = master->nodes.First(); n; n = master->nodes.After(*n))
    for (const auto& input : n->graph->inputs)
      if (input->sourceId == output.id && SourceOf(*input) == &output) out.push_back(input.get());
  return out;
}

std::string Connect(scn::GraphPort& output, scn::GraphPort& input) {
  if (output.input || !input.input) return "the ports are not an output and an input";
  const scn::NodeMaster* master = MasterOf(output.node);
  if (!master || master != MasterOf(input.node)) return "the ports are not in the same node master";
  if (&output.node == &input.node || Reaches(input.node, output.node))
    return "the connection would close a cycle";
  const PortKind from = KindOf(output), to = KindOf(input);
  if (from == PortKind::Other || to == PortKind::Other) return "a port carries no number or Vector";
  if (from != to) return "the ports carry different value types";
  input.sourceId = output.id;
  return {};
}

std::vector<scn::SceneNode*> EvaluationOrder(const scn::NodeMaster& master) {
  std::vector<scn::SceneNode*> nodes;
  for (scn::SceneNode* n = master.nodes.First(); n; n = master.nodes.After(*n)) nodes.push_back(n);
  std::map<const scn::SceneNode*, int> feeding;  // connected inputs from nodes not yet placed
  for (scn::SceneNode* n : nodes) {
    int count = 0;
    for (const auto& input : n->graph->inputs) count += SourceOf(*input) ? 1 : 0;
    feeding[n] = count;
  }
  std::vector<scn::SceneNode*> order;
  bool placed = true;
  while (placed) {
    placed = false;
    for (scn::SceneNode* n : nodes) {
      if (feeding[n] != 0) continue;
      feeding[n] = -1;
      order.push_back(n);
      placed = true;
      for (const auto& output : n->graph->outputs)
        for (scn::GraphPort* input : Consumers(*output)) --feeding[&input->node];
    }
  }
  return order;
}

bool HasCycle(const scn::NodeMaster& master) {
  std::size_t count = 0;
  for (scn::SceneNode* n = master.nodes.First(); n; n = master.nodes.After(*n)) ++count;
  return EvaluationOrder(master).size() != count;
}

}  // namespace host

namespace scn {

NodeMaster::NodeMaster(SceneNode& t) : tag(t), id(host::NodeIndex::NextId()), nodes(&t) {
  tag.service.animation().masters.Add(this);
}

NodeMaster::~NodeMaster() {
  nodes.Clear();
  tag.service.animation().masters.Remove(this);
}

GraphPort::GraphPort(SceneNode& n, bool in, Int32 param, Int32 sub, bool isParameter)
    : node(n), id(host::NodeIndex::NextId()), input(in), paramId(param), subId(sub), parameter(isParameter) {
  node.service.animation().ports.Add(this);
}

GraphPort::~GraphPort() {
  node.service.animation().ports.Remove(this);
}

}  // namespace scn
