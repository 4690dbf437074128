// A node-graph tag's nodes in a record:
//   Int32 node count, then per node: Int32 type, String name, Float64 x, Float64 y, Int64 linked node id,
//   parameters, tracks, Int32 input count, per input: Int32 id, Int32 sub id, Int32 source (the number of
//   the connected output, counting every output of the graph in node and port order; -1 for none),
//   Int32 output count, per output: Int32 id, Int32 sub id.
// A range mapper has exactly one input and one output; object nodes' ports stand for parameters.
#pragma once

#include "scn/handles.h"
#include "scn/tables.h"

namespace host {

class NodeFactory;

bool WriteGraph(const scn::RecordTable& records, scn::RecordFile* rf, const scn::NodeMaster& master);
// Appends the nodes to the master; false when the record fails or is malformed (a type that is no graph
// node type, ports that do not fit the type, a source that is no output, a cycle).
bool ReadGraph(const scn::RecordTable& records, scn::RecordFile* rf, NodeFactory& factory,
               scn::NodeMaster* master);

}  // namespace host
