// The 52 face blendshapes: their names in "faceData.txt" and their fixed weight parameter ids.
#pragma once

#include "scn/api.h"

struct FaceFrame;

enum BlendshapeId : scn::Int32 {
  kEyeBlinkLeft = 2100,
  kEyeLookDownLeft,
  kEyeLookInLeft,
  kEyeLookOutLeft,
  kEyeLookUpLeft,
  kEyeSquintLeft,
  kEyeWideLeft,
  kEyeBlinkRight,
  kEyeLookDownRight,
  kEyeLookInRight,
  kEyeLookOutRight,
  kEyeLookUpRight,
  kEyeSquintRight,
  kEyeWideRight,
  kJawForward,
  kJawLeft,
  kJawRight,
  kJawOpen,
  kMouthClose,
  kMouthFunnel,
  kMouthPucker,
  kMouthLeft,
  kMouthRight,
  kMouthSmileLeft,
  kMouthSmileRight,
  kMouthFrownLeft,
  kMouthFrownRight,
  kMouthDimpleLeft,
  kMouthDimpleRight,
  kMouthStretchLeft,
  kMouthStretchRight,
  kMouthRollLower,
  kMouthRollUpper,
  kMouthShrugLower,
  kMouthShrugUpper,
  kMouthPressLeft,
  kMouthPressRight,
  kMouthLowerDownLeft,
  kMouthLowerDownRight,
  kMouthUpperUpLeft,
  kMouthUpperUpRight,
  kBrowDownLeft,
  kBrowDownRight,
  kBrowInnerUp,
  kBrowOuterUpLeft,
  kBrowOuterUpRight,
  kCheekPuff,
  kCheekSquintLeft,
  kCheekSquintRight,
  kNoseSneerLeft,
  kNoseSneerRight,
  kTongueOut,
};

inline constexpr scn::Int32 kBlendshapeFirstId = kEyeBlinkLeft;
inline constexpr scn::Int32 kBlendshapeLastId = kTongueOut;
inline constexpr int kBlendshapeCount = kBlendshapeLastId - kBlendshapeFirstId + 1;
// Version-1 frames carry every blendshape but the last ("tongueOut").
inline constexpr int kBlendshapeCountVersion1 = kBlendshapeCount - 1;
// Display names are string resources from here, by blendshape index.
inline constexpr scn::Int32 kBlendshapeNameResourceBase = 20000;

// The name of a blendshape id, or null outside 2100..2151.
const char* BlendshapeName(scn::Int32 id);
// The id whose name equals name exactly; "tongueOut" only for frame versions 2 and above; 0 when none.
scn::Int32 BlendshapeIdFromName(const scn::String& name, scn::Int32 frameVersion);

// The weights of one frame whose version is already in the frame: version 1 reads (name, number) pairs
// until 51 known names were stored; version 2 reads a count, then that many pairs. Unknown names are
// read and dropped; a repeated name overwrites. False for another version or an unreadable token.
bool ReadBlendshapeWeights(scn::HostFile* file, FaceFrame& frame);
// A vector, a number and then the 27 further numbers of a frame.
bool ReadFrameExtras(scn::HostFile* file, FaceFrame& frame);
