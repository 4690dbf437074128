#include "animation/posemorph.h"

#include <algorithm>

#include "scene/parameters.h"
#include "scene/scenenode.h"
#include "scn/tables_animation.h"

namespace host {

scn::SceneNode* FirstPoseMorphTag(const scn::SceneNode& object) {
  if (object.kind != NodeKind::Object) return nullptr;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t))
    if (t->type == scn::kTagPoseMorph && t->poses) return t;
  return nullptr;
}

int PoseOfStrengthId(const scn::SceneNode& tag, scn::Int32 id) {
  if (!tag.poses || id < scn::PoseStrengthId(0) || (id - scn::PoseStrengthId(0)) % 100 != 0) return -1;
  const int pose = (id - scn::PoseStrengthId(0)) / 100;
  return pose < static_cast<int>(tag.poses->poses.size()) ? pose : -1;
}

scn::Float64 PoseStrength(scn::SceneNode& tag, scn::Int32 id) {
  return std::clamp(tag.data.GetFloat(id), 0.0, 1.0);
}

bool SetPoseStrength(scn::SceneNode& tag, scn::Int32 id, scn::Float64 strength) {
  if (!IsPoseStrengthId(tag, id)) return false;
  const scn::Float64 clamped = std::clamp(strength, 0.0, 1.0);
  if (const scn::Value* old = tag.data.Find(id); old && *old == scn::Value(clamped)) return true;
  return SetParameter(tag, id, clamped);
}

int AddPose(scn::SceneNode& tag, const std::string& name) {
  PoseSet& set = *tag.poses;
  set.poses.push_back({name, set.base});
  const int pose = static_cast<int>(set.poses.size()) - 1;
  tag.data.SetFloat(scn::PoseStrengthId(pose), 0.0);
  return pose;
}

int FindPose(const scn::SceneNode& tag, const std::string& name) {
  const std::vector<PoseTarget>& poses = tag.poses->poses;
  for (std::size_t i = 0; i < poses.size(); ++i)
    if (poses[i].name == name) return static_cast<int>(i);
  return -1;
}

bool CommitPoses(scn::SceneNode& tag) {
  scn::SceneNode* object = tag.Parent();
  const PoseSet& set = *tag.poses;
  if (!object || !object->IsPolygonObject() || object->points.size() != set.base.size()) return false;
  std::vector<scn::Vector> points = set.base;
  for (std::size_t n = 0; n < set.poses.size(); ++n) {
    const scn::Float64 s = PoseStrength(tag, scn::PoseStrengthId(static_cast<scn::Int32>(n)));
    if (s == 0.0) continue;
    const std::vector<scn::Vector>& target = set.poses[n].points;
    for (std::size_t i = 0; i < points.size(); ++i) points[i] = points[i] + (target[i] - set.base[i]) * s;
  }
  object->points = std::move(points);
  MarkDirty(*object, kDirtyData);
  return true;
}

}  // namespace host
