// The character-animation library: poses of polygon objects in their pose morph tags.
#include <cmath>
#include <functional>

#include "animation/animationentries.h"
#include "animation/posemorph.h"
#include "core/host.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

scn::SceneNode* Object(const char* call, const scn::SceneNode* object) {
  return Node(call, object, NodeKind::Object);
}

// The object's pose morph tag, or null.
scn::SceneNode* PoseTag(const char* call, const scn::SceneNode* object) {
  scn::SceneNode* o = Object(call, object);
  return o ? FirstPoseMorphTag(*o) : nullptr;
}

bool DocumentOrNone(const char* call, const scn::Document* doc) {
  return !doc || Doc(call, doc);
}

scn::SceneNode* MakePoseMorphTag(scn::SceneNode* object, scn::Document* doc) {
  scn::SceneNode* o = Object("MakePoseMorphTag", object);
  if (!o || !DocumentOrNone("MakePoseMorphTag", doc) || !o->IsPolygonObject()) return nullptr;
  if (scn::SceneNode* existing = FirstPoseMorphTag(*o)) return existing;
  if (o->freeing) {
    Misbehaving("MakePoseMorphTag on an object that is being freed");
    return nullptr;
  }
  auto tag = o->service.factory().Make(NodeKind::Tag, scn::kTagPoseMorph);
  if (!tag) return nullptr;
  tag->poses->base = o->points;
  return o->tags.Append(std::move(tag));
}

// The pose morph tag when pose is one of its poses, else null.
scn::SceneNode* PoseOf(const char* call, const scn::SceneNode* object, scn::Int32 pose) {
  scn::SceneNode* tag = PoseTag(call, object);
  if (!tag || pose < 0 || static_cast<std::size_t>(pose) >= tag->poses->poses.size()) return nullptr;
  return tag;
}

// Calls visit for each polygon object of the type below the object, to that depth (-1: any).
void ForEachBelow(scn::SceneNode& object, scn::Int32 type, scn::Int32 depth,
                  const std::function<void(scn::SceneNode&)>& visit) {
  if (depth == 0) return;
  for (scn::SceneNode* c = object.children.First(); c; c = object.children.After(*c)) {
    if (c->type == type && c->IsPolygonObject()) visit(*c);
    ForEachBelow(*c, type, depth < 0 ? depth : depth - 1, visit);
  }
}

scn::Int32 AddPoseTargets(scn::SceneNode* object, scn::Document* doc, scn::Int32 type, scn::Int32 depth) {
  scn::SceneNode* tag = MakePoseMorphTag(object, doc);
  if (!tag) return -1;
  scn::Int32 added = 0;
  ForEachBelow(*object, type, depth, [&](scn::SceneNode& source) {
    if (source.points.size() != tag->poses->base.size() || FindPose(*tag, source.name) >= 0) return;
    tag->poses->poses[static_cast<std::size_t>(AddPose(*tag, source.name))].points = source.points;
    ++added;
  });
  return added;
}

scn::Int32 UpdatePoseTargets(scn::SceneNode* object, scn::Document* doc, scn::Int32 type, scn::Int32 depth) {
  scn::SceneNode* tag = PoseTag("UpdatePoseTargets", object);
  if (!tag || !DocumentOrNone("UpdatePoseTargets", doc)) return -1;
  scn::Int32 read = 0;
  ForEachBelow(*object, type, depth, [&](scn::SceneNode& source) {
    const int pose = FindPose(*tag, source.name);
    if (pose < 0 || source.points.size() != tag->poses->base.size()) return;
    tag->poses->poses[static_cast<std::size_t>(pose)].points = source.points;
    ++read;
  });
  return read;
}

scn::Bool CommitPosesEntry(scn::SceneNode* object, scn::Document* doc) {
  scn::SceneNode* tag = PoseTag("CommitPoses", object);
  if (!tag || !DocumentOrNone("CommitPoses", doc)) return false;
  if (CommitPoses(*tag)) return true;
  tag->service.host().diagnostics().Output("CommitPoses: \"" + object->name + "\" has " +
                                           std::to_string(object->points.size()) + " points, its poses " +
                                           std::to_string(tag->poses->base.size()));
  return false;
}

}  // namespace

void FillCharacterAnimationLibrary(scn::CharacterAnimationLibrary& lib) {
  lib.MakePoseMorphTag = MakePoseMorphTag;
  lib.AddPose = [](scn::SceneNode* object, const scn::String& name) -> scn::Int32 {
    scn::SceneNode* tag = PoseTag("AddPose", object);
    return tag ? AddPose(*tag, name) : -1;
  };
  lib.FindPose = [](scn::SceneNode* object, const scn::String& name) -> scn::Int32 {
    scn::SceneNode* tag = PoseTag("FindPose", object);
    return tag ? FindPose(*tag, name) : -1;
  };
  lib.GetPoseCount = [](scn::SceneNode* object) -> scn::Int32 {
    scn::SceneNode* tag = PoseTag("GetPoseCount", object);
    return tag ? static_cast<scn::Int32>(tag->poses->poses.size()) : 0;
  };
  lib.GetPoseName = [](scn::SceneNode* object, scn::Int32 pose) -> scn::String {
    scn::SceneNode* tag = PoseOf("GetPoseName", object, pose);
    return tag ? tag->poses->poses[static_cast<std::size_t>(pose)].name : scn::String();
  };
  lib.GetPosePointsW = [](scn::SceneNode* object, scn::Int32 pose) -> scn::Vector* {
    scn::SceneNode* tag = PoseOf("GetPosePointsW", object, pose);
    if (!tag) return nullptr;
    std::vector<scn::Vector>& points = tag->poses->poses[static_cast<std::size_t>(pose)].points;
    return points.empty() ? nullptr : points.data();
  };
  lib.GetPoseStrength = [](scn::SceneNode* object, scn::Int32 pose, scn::Float64* strength) -> scn::Bool {
    scn::SceneNode* tag = PoseOf("GetPoseStrength", object, pose);
    if (!tag) return false;
    if (!strength) {
      Misbehaving("GetPoseStrength without a value to fill");
      return false;
    }
    *strength = PoseStrength(*tag, scn::PoseStrengthId(pose));
    return true;
  };
  lib.SetPoseStrength = [](scn::SceneNode* object, scn::Int32 pose, scn::Float64 strength) -> scn::Bool {
    scn::SceneNode* tag = PoseOf("SetPoseStrength", object, pose);
    return tag && std::isfinite(strength) && SetPoseStrength(*tag, scn::PoseStrengthId(pose), strength);
  };
  lib.AddPoseTargets = AddPoseTargets;
  lib.UpdatePoseTargets = UpdatePoseTargets;
  lib.CommitPoses = CommitPosesEntry;
}

}  // namespace host
