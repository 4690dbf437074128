// Links to nodes: a node id, resolved through the index of live nodes each time it is followed.
#pragma once

#include <memory>
#include <unordered_map>

#include "scene/nodeindex.h"
#include "scn/tables.h"
#include "scn/tables_scene.h"

namespace scn {

struct NodeLink {
  Int64 nodeId = 0;  // 0 links nowhere
};

}  // namespace scn

namespace host {

// The links handed to plug-ins; the host keeps each one so that it can check the links it is handed.
class LinkTable {
 public:
  scn::NodeLink* Allocate();
  // False for a link this table did not hand out (or freed before).
  bool Free(const scn::NodeLink* link);
  bool Contains(const scn::NodeLink* link) const { return links_.count(link) != 0; }
  std::size_t Size() const { return links_.size(); }

 private:
  std::unordered_map<const scn::NodeLink*, std::unique_ptr<scn::NodeLink>> links_;
};

// The node of that id when it lives, lies in doc (null: in no document) and has the type (0: any type).
scn::SceneNode* ResolveNode(const NodeIndex& index, const scn::Document* doc, scn::Int64 nodeId,
                            scn::Int32 type);

// An Int64 in a record: two Int32, high word first.
bool WriteRecordInt64(const scn::RecordTable& records, scn::RecordFile* rf, scn::Int64 v);
bool ReadRecordInt64(const scn::RecordTable& records, scn::RecordFile* rf, scn::Int64* v);

// A link in a record: the node id as an Int64.
bool WriteLink(const scn::RecordTable& records, scn::RecordFile* rf, const scn::NodeLink& link);
// Leaves the link unchanged when the record fails.
bool ReadLink(const scn::RecordTable& records, scn::RecordFile* rf, scn::NodeLink* link);

}  // namespace host
