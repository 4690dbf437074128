#include "face/faceshader.h"

#include "scn/api.h"

scn::NodeData* FaceShaderData::Alloc() {
  return scn::NewObjClear<FaceShaderData>("faceshader", __LINE__);
}

bool RegisterFaceShader() {
  return scn::RegisterShaderType(kFaceShaderId, scn::LoadResourceString(11024), 9, FaceShaderData::Alloc,
                                 "xfaceshader", 0);
}
