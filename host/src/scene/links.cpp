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

bool WriteLink(const scn::RecordTable& records, scn::RecordFile* rf, const scn::NodeLink& link) {
  const auto id = static_cast<std::uint64_t>(link.nodeId);
  return records.WriteInt32(rf, static_cast<scn::Int32>(static_cast<std::uint32_t>(id >> 32))) &&
         records.WriteInt32(rf, static_cast<scn::Int32>(static_cast<std::uint32_t>(id & 0xFFFFFFFFu)));
}

bool ReadLink(const scn::RecordTable& records, scn::RecordFile* rf, scn::NodeLink* link) {
  scn::Int32 high = 0, low = 0;
  if (!records.ReadInt32(rf, &high) || !records.ReadInt32(rf, &low)) return false;
  const std::uint64_t id =
      (std::uint64_t{static_cast<std::uint32_t>(high)} << 32) | static_cast<std::uint32_t>(low);
  link->nodeId = static_cast<scn::Int64>(id);
  return true;
}

}  // namespace host
