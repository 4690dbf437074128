#include "scn/charanimation.h"

#include "scn/api.h"

namespace scn {
namespace {
// Null when the host has no character-animation library.
const CharacterAnimationLibrary* Lib() {
  return static_cast<const CharacterAnimationLibrary*>(FindLibrary(kLibCharacterAnimation));
}
}  // namespace

SceneNode* MakePoseMorphTag(SceneNode* object, Document* doc) {
  const auto* lib = Lib();
  return lib ? lib->MakePoseMorphTag(object, doc) : nullptr;
}
Int32 AddPose(SceneNode* object, const String& name) {
  const auto* lib = Lib();
  return lib ? lib->AddPose(object, name) : -1;
}
Int32 FindPose(SceneNode* object, const String& name) {
  const auto* lib = Lib();
  return lib ? lib->FindPose(object, name) : -1;
}
Int32 GetPoseCount(SceneNode* object) {
  const auto* lib = Lib();
  return lib ? lib->GetPoseCount(object) : 0;
}
String GetPoseName(SceneNode* object, Int32 pose) {
  const auto* lib = Lib();
  return lib ? lib->GetPoseName(object, pose) : String();
}
Vector* GetPosePointsW(SceneNode* object, Int32 pose) {
  const auto* lib = Lib();
  return lib ? lib->GetPosePointsW(object, pose) : nullptr;
}
Bool GetPoseStrength(SceneNode* object, Int32 pose, Float64* strength) {
  const auto* lib = Lib();
  return lib && lib->GetPoseStrength(object, pose, strength);
}
Bool SetPoseStrength(SceneNode* object, Int32 pose, Float64 strength) {
  const auto* lib = Lib();
  return lib && lib->SetPoseStrength(object, pose, strength);
}
Int32 AddPoseTargets(SceneNode* object, Document* doc, Int32 type, Int32 depth) {
  const auto* lib = Lib();
  return lib ? lib->AddPoseTargets(object, doc, type, depth) : -1;
}
Int32 UpdatePoseTargets(SceneNode* object, Document* doc, Int32 type, Int32 depth) {
  const auto* lib = Lib();
  return lib ? lib->UpdatePoseTargets(object, doc, type, depth) : -1;
}
Bool CommitPoses(SceneNode* object, Document* doc) {
  const auto* lib = Lib();
  return lib && lib->CommitPoses(object, doc);
}

}  // namespace scn
