// The face shader: textures with a face capture object's camera images.
#pragma once

#include "scn/nodedata.h"

class FaceShaderData : public scn::ShaderData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterFaceShader();
