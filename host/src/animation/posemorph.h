// Pose morph tags: the base points of their polygon object and numbered pose targets, each with a strength
// parameter of the tag at scn::PoseStrengthId(n). Committing writes base + sum of strength x (target - base)
// into the object's points.
#pragma once

#include <string>
#include <vector>

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

struct PoseTarget {
  std::string name;
  std::vector<scn::Vector> points;  // as many as the base
};

struct PoseSet {
  std::vector<scn::Vector> base;
  std::vector<PoseTarget> poses;  // pose n at index n
};

// The object's first pose morph tag, or null.
scn::SceneNode* FirstPoseMorphTag(const scn::SceneNode& object);
// The pose number of a strength id, or -1 when id is no pose's strength on this tag.
int PoseOfStrengthId(const scn::SceneNode& tag, scn::Int32 id);
inline bool IsPoseStrengthId(const scn::SceneNode& tag, scn::Int32 id) {
  return PoseOfStrengthId(tag, id) >= 0;
}
// The strength at a pose's strength id, clamped to 0..1.
scn::Float64 PoseStrength(scn::SceneNode& tag, scn::Int32 id);
// Clamps to 0..1; false for an id that is no pose's strength.
bool SetPoseStrength(scn::SceneNode& tag, scn::Int32 id, scn::Float64 strength);

// A new pose named name, its points the base; its number.
int AddPose(scn::SceneNode& tag, const std::string& name);
int FindPose(const scn::SceneNode& tag, const std::string& name);
// False (nothing written) when the tag is on no polygon object or its point count is not the base's.
bool CommitPoses(scn::SceneNode& tag);

}  // namespace host
