// The character-animation library (1019742), named as plug-in code calls it. When the host has no such
// library every call yields null, false, -1 or 0.
#pragma once

#include "scn/tables_animation.h"

namespace scn {

SceneNode* MakePoseMorphTag(SceneNode* object, Document* doc);
Int32 AddPose(SceneNode* object, const String& name);
Int32 FindPose(SceneNode* object, const String& name);
Int32 GetPoseCount(SceneNode* object);
String GetPoseName(SceneNode* object, Int32 pose);
Vector* GetPosePointsW(SceneNode* object, Int32 pose);
Bool GetPoseStrength(SceneNode* object, Int32 pose, Float64* strength);
Bool SetPoseStrength(SceneNode* object, Int32 pose, Float64 strength);
Int32 AddPoseTargets(SceneNode* object, Document* doc, Int32 type, Int32 depth);
Int32 UpdatePoseTargets(SceneNode* object, Document* doc, Int32 type, Int32 depth);
Bool CommitPoses(SceneNode* object, Document* doc);

}  // namespace scn
