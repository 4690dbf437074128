#include "animation/graphrun.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "animation/channel.h"
#include "animation/nodegraph.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scn/tables_animation.h"

namespace host {
namespace {

using Values = std::unordered_map<scn::Int64, ChannelValue>;  // by output port id

ChannelValue InputValue(const scn::GraphPort& input, const Values& values) {
  const scn::GraphPort* source = SourceOf(input);
  if (!source) return {};
  auto it = values.find(source->id);
  return it == values.end() ? ChannelValue{} : it->second;
}

void RunObjectNode(const scn::SceneNode& node, Values& values) {
  scn::SceneNode* linked = LinkedNode(node);
  if (!linked) return;
  // Taken before any write: a parameter hook of the linked node may change the graph or free nodes.
  struct Access {
    scn::Int64 portId;
    scn::Int32 id, subId;
    ChannelValue value;
  };
  std::vector<Access> writes, reads;
  for (const auto& input : node.graph->inputs) {
    ChannelValue v = InputValue(*input, values);
    if (!std::holds_alternative<std::monostate>(v))
      writes.push_back({input->id, input->paramId, input->subId, v});
  }
  for (const auto& output : node.graph->outputs)
    reads.push_back({output->id, output->paramId, output->subId, {}});
  const scn::Int64 linkedId = linked->id;
  SceneService& scene = node.service;
  for (const Access& w : writes) {
    scn::SceneNode* target = scene.nodes().Find(linkedId);
    if (!target) return;
    WriteChannel(*target, w.id, w.subId, w.value);
  }
  for (const Access& r : reads) {
    scn::SceneNode* source = scene.nodes().Find(linkedId);
    if (!source) return;
    values[r.portId] = ReadChannel(*source, r.id, r.subId);
  }
}

void RunRangeMapper(const scn::SceneNode& node, Values& values) {
  if (node.graph->inputs.empty() || node.graph->outputs.empty()) return;
  const ChannelValue in = InputValue(*node.graph->inputs.front(), values);
  const auto* number = std::get_if<scn::Float64>(&in);
  if (!number) return;
  const scn::Container& c = node.data;
  values[node.graph->outputs.front()->id] =
      MapRange(*number, c.GetFloat(scn::kRangeMapperInputLow), c.GetFloat(scn::kRangeMapperInputHigh, 1.0),
               c.GetFloat(scn::kRangeMapperOutputLow), c.GetFloat(scn::kRangeMapperOutputHigh, 1.0));
}

}  // namespace

scn::Float64 MapRange(scn::Float64 value, scn::Float64 inLow, scn::Float64 inHigh, scn::Float64 outLow,
                      scn::Float64 outHigh) {
  scn::Float64 t = 0.0;
  if (inHigh == inLow)
    t = value < inLow ? 0.0 : 1.0;
  else
    t = std::clamp((value - inLow) / (inHigh - inLow), 0.0, 1.0);
  return outLow + (outHigh - outLow) * t;
}

void RunGraph(scn::SceneNode& graphTag) {
  if (!graphTag.master) return;
  SceneService& scene = graphTag.service;
  const scn::Int64 tagId = graphTag.id;
  std::vector<scn::Int64> order;
  for (scn::SceneNode* n : EvaluationOrder(*graphTag.master)) order.push_back(n->id);
  Values values;
  for (scn::Int64 id : order) {
    // Writes run plug-in hooks, which may free the tag or its nodes.
    scn::SceneNode* tag = scene.nodes().Find(tagId);
    scn::SceneNode* node = scene.nodes().Find(id);
    if (!tag || !node || node->Parent() != tag || !node->graph) continue;
    if (node->type == scn::kGraphNodeObject)
      RunObjectNode(*node, values);
    else if (node->type == scn::kGraphNodeRangeMapper)
      RunRangeMapper(*node, values);
  }
}

}  // namespace host
