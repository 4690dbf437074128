#include "face/blendshapes.h"

#include <cstring>

#include "basecapture.h"
#include "face/faceframe.h"

namespace {

// Indexed by id - kBlendshapeFirstId.
constexpr const char* kNames[kBlendshapeCount] = {
    "eyeBlink_L",
    "eyeLookDown_L",
    "eyeLookIn_L",
    "eyeLookOut_L",
    "eyeLookUp_L",
    "eyeSquint_L",
    "eyeWide_L",
    "eyeBlink_R",
    "eyeLookDown_R",
    "eyeLookIn_R",
    "eyeLookOut_R",
    "eyeLookUp_R",
    "eyeSquint_R",
    "eyeWide_R",
    "jawForward",
    "jawLeft",
    "jawRight",
    "jawOpen",
    "mouthClose",
    "mouthFunnel",
    "mouthPucker",
    "mouthLeft",
    "mouthRight",
    "mouthSmile_L",
    "mouthSmile_R",
    "mouthFrown_L",
    "mouthFrown_R",
    "mouthDimple_L",
    "mouthDimple_R",
    "mouthStretch_L",
    "mouthStretch_R",
    "mouthRollLower",
    "mouthRollUpper",
    "mouthShrugLower",
    "mouthShrugUpper",
    "mouthPress_L",
    "mouthPress_R",
    "mouthLowerDown_L",
    "mouthLowerDown_R",
    "mouthUpperUp_L",
    "mouthUpperUp_R",
    "browDown_L",
    "browDown_R",
    "browInnerUp",
    "browOuterUp_L",
    "browOuterUp_R",
    "cheekPuff",
    "cheekSquint_L",
    "cheekSquint_R",
    "noseSneer_L",
    "noseSneer_R",
    "tongueOut",
};

// Reads one (name, number) pair and stores the number when the name is known.
bool ReadWeightPair(scn::HostFile* file, FaceFrame& frame, bool* stored) {
  scn::String name;
  scn::Float64 weight;
  if (!ReadToken(file, name) || !ReadTokenFloat(file, weight)) return false;
  const scn::Int32 id = BlendshapeIdFromName(name, frame.version);
  *stored = id != 0;
  if (*stored) frame.weights[id - kBlendshapeFirstId] = static_cast<scn::Float32>(weight);
  return true;
}

bool ReadVersion1Weights(scn::HostFile* file, FaceFrame& frame) {
  int stored = 0;
  while (stored < kBlendshapeCountVersion1) {
    bool known = false;
    if (!ReadWeightPair(file, frame, &known)) return false;
    if (known) ++stored;
  }
  return true;
}

bool ReadVersion2Weights(scn::HostFile* file, FaceFrame& frame) {
  scn::Int32 count = 0;
  if (!ReadTokenInt(file, count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    bool known = false;
    if (!ReadWeightPair(file, frame, &known)) return false;
  }
  return true;
}

}  // namespace

const char* BlendshapeName(scn::Int32 id) {
  if (id < kBlendshapeFirstId || id > kBlendshapeLastId) return nullptr;
  return kNames[id - kBlendshapeFirstId];
}

scn::Int32 BlendshapeIdFromName(const scn::String& name, scn::Int32 frameVersion) {
  const int known = frameVersion >= 2 ? kBlendshapeCount : kBlendshapeCountVersion1;
  for (int i = 0; i < known; ++i)
    if (name == kNames[i]) return kBlendshapeFirstId + i;
  return 0;
}

bool ReadBlendshapeWeights(scn::HostFile* file, FaceFrame& frame) {
  switch (frame.version) {
    case 1:
      return ReadVersion1Weights(file, frame);
    case 2:
      return ReadVersion2Weights(file, frame);
    default:
      return false;
  }
}

bool ReadFrameExtras(scn::HostFile* file, FaceFrame& frame) {
  if (!ReadTokenVector(file, frame.extraVector) || !ReadTokenFloat(file, frame.extraValue)) return false;
  for (scn::Float64& value : frame.extraValues)
    if (!ReadTokenFloat(file, value)) return false;
  return true;
}
