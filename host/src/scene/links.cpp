#include "scene/links.h"

#include <cstdint>

#include "scene/scenenode.h"

namespace host {

scn::NodeLink* LinkTable::Allocate() {
  auto link = std::make_unique<scn::NodeLink>();
  scn::NodeLink* raw = link.get();
  links_.emplace(raw, std::move(link));
  return raw;
}

bool LinkTable::Free(const scn::NodeLink* link) {
  return links_.erase(link) != 0;
}

scn::SceneNode* ResolveNode(const NodeIndex& index, const scn::Document* doc, scn::Int64 nodeId,
                            scn::Int32 type) {
  if (nodeId == 0) return nullptr;
  scn::SceneNode* node = index.Find(nodeId);
  if (!node || node->Doc() != doc) return nullptr;
  if (type != 0 && node->type != type) return nullptr;
  return node;
}

bool WriteRecordInt64(const scn::RecordTable& records, scn::RecordFile* rf, scn::Int64 v) {
  const auto u = static_cast<std::uint64_t>(v);
  return records.WriteInt32(rf, static_cast<scn::Int32>(static_cast<std::uint32_t>(u >> 32))) &&
         records.WriteInt32(rf, static_cast<scn::Int32>(static_cast<std::uint32_t>(u & 0xFFFFFFFFu)));
}

bool ReadRecordInt64(const scn::RecordTable& records, scn::RecordFile* rf, scn::Int64* v) {
  scn::Int32 high = 0, low = 0;
  if (!records.ReadInt32(rf, &high) || !records.ReadInt32(rf, &low)) return false;
  const std::uint64_t u =
      (std::uint64_t{static_cast<std::uint32_t>(high)} << 32) | static_cast<std::uint32_t>(low);
  *v = static_cast<scn::Int64>(u);
  return true;
}

bool WriteLink(const scn::RecordTable& records, scn::RecordFile* rf, const scn::NodeLink& link) {
  return WriteRecordInt64(records, rf, link.nodeId);
}

bool ReadLink(const scn::RecordTable& records, scn::RecordFile* rf, scn::NodeLink* link) {
  scn::Int64 id = 0;
  if (!ReadRecordInt64(records, rf, &id)) return false;
  link->nodeId = id;
  return true;
}

}  // namespace host
