#include "animation/poserecord.h"

namespace host {
namespace {

bool WritePoints(const scn::RecordTable& r, scn::RecordFile* rf, const std::vector<scn::Vector>& points) {
  for (const scn::Vector& p : points)
    if (!r.WriteVector(rf, p)) return false;
  return true;
}

// Values are read one by one, so a short record fails before a large count has allocated anything.
bool ReadPoints(const scn::RecordTable& r, scn::RecordFile* rf, std::size_t count,
                std::vector<scn::Vector>* out) {
  for (std::size_t i = 0; i < count; ++i) {
    scn::Vector p;
    if (!r.ReadVector(rf, &p)) return false;
    out->push_back(p);
  }
  return true;
}

}  // namespace

bool WritePoses(const scn::RecordTable& r, scn::RecordFile* rf, const PoseSet& poses) {
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(poses.base.size())) || !WritePoints(r, rf, poses.base) ||
      !r.WriteInt32(rf, static_cast<scn::Int32>(poses.poses.size())))
    return false;
  for (const PoseTarget& pose : poses.poses)
    if (!r.WriteString(rf, pose.name) || !WritePoints(r, rf, pose.points)) return false;
  return true;
}

bool ReadPoses(const scn::RecordTable& r, scn::RecordFile* rf, PoseSet* poses) {
  scn::Int32 baseCount = 0, poseCount = 0;
  PoseSet read;
  if (!r.ReadInt32(rf, &baseCount) || baseCount < 0) return false;
  if (!ReadPoints(r, rf, static_cast<std::size_t>(baseCount), &read.base)) return false;
  if (!r.ReadInt32(rf, &poseCount) || poseCount < 0) return false;
  for (scn::Int32 i = 0; i < poseCount; ++i) {
    PoseTarget pose;
    if (!r.ReadString(rf, &pose.name) || !ReadPoints(r, rf, read.base.size(), &pose.points)) return false;
    read.poses.push_back(std::move(pose));
  }
  *poses = std::move(read);
  return true;
}

}  // namespace host
