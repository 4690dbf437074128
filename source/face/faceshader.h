// The face shader: textures with a face capture object's camera images.
#pragma once

#include "scn/nodedata.h"

inline constexpr scn::Int32 kFaceShaderId = 1040942;
// Link to the face capture object whose images the shader shows.
inline constexpr scn::Int32 kFaceShaderObjectLink = 1000;

class FaceShaderData : public scn::ShaderData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterFaceShader();
