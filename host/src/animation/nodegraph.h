// Node graphs: a node-graph tag's node master holds graph nodes (scene nodes of kind GraphNode); object
// nodes stand for a linked object or tag and carry a port per parameter address, range mappers carry one
// input and one output. An input takes at most one connection, from an output of another node of the same
// master; connections never close a cycle.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene/nodelist.h"
#include "scn/handles.h"
#include "scn/types.h"

namespace host {

enum class PortKind { Number, Vector, Other };

struct GraphNodeState {
  scn::Float64 x = 0.0;
  scn::Float64 y = 0.0;
  scn::Int64 linkId = 0;  // object nodes: the linked node, 0 for none
  std::vector<std::unique_ptr<scn::GraphPort>> inputs;
  std::vector<std::unique_ptr<scn::GraphPort>> outputs;
};

// The state a new graph node of that type starts with (range mappers: ranges 0..1 and their two ports);
// false for a type that is no graph node type.
bool InitGraphNode(scn::SceneNode& node);
bool IsGraphNodeType(scn::Int32 type);

// An object node's port of that address and direction, or null.
scn::GraphPort* FindPort(const scn::SceneNode& node, bool input, scn::Int32 id, scn::Int32 subId);
scn::GraphPort* AddPort(scn::SceneNode& node, bool input, scn::Int32 id, scn::Int32 subId);
// The node an object node is linked to, when it is alive and in the graph's document.
scn::SceneNode* LinkedNode(const scn::SceneNode& objectNode);

// The output an input is connected to, when that output is alive in the same master; else null.
scn::GraphPort* SourceOf(const scn::GraphPort& input);
// The inputs of the master that an output feeds, in node and port order.
std::vector<scn::GraphPort*> Consumers(const scn::GraphPort& output);
// Empty when the connection is made; else why it is refused.
std::string Connect(scn::GraphPort& output, scn::GraphPort& input);
// The master's nodes in an order where every node comes after those feeding it; nodes of a cycle (only a
// damaged record could hold one) are left out.
std::vector<scn::SceneNode*> EvaluationOrder(const scn::NodeMaster& master);
bool HasCycle(const scn::NodeMaster& master);

}  // namespace host

namespace scn {

struct NodeMaster {
  // Enters the scene's index of live masters.
  explicit NodeMaster(SceneNode& tag);
  ~NodeMaster();
  NodeMaster(const NodeMaster&) = delete;
  NodeMaster& operator=(const NodeMaster&) = delete;

  SceneNode& tag;
  const Int64 id;
  host::NodeList nodes;
};

struct GraphPort {
  // Enters the scene's index of live ports.
  GraphPort(SceneNode& node, bool input, Int32 id, Int32 subId, bool parameter);
  ~GraphPort();
  GraphPort(const GraphPort&) = delete;
  GraphPort& operator=(const GraphPort&) = delete;

  SceneNode& node;
  const Int64 id;
  const bool input;
  const Int32 paramId;
  const Int32 subId;
  const bool parameter;  // stands for a parameter of the linked node (object nodes)
  Int64 sourceId = 0;    // inputs: the connected output, 0 for none
};

}  // namespace scn
