// The face shader: textures a surface with a face capture object's camera image of the current frame,
// at render time and in the viewport.
#pragma once

#include "scn/nodedata.h"

inline constexpr scn::Int32 kFaceShaderId = 1040942;
// Link to the face capture object whose images the shader shows.
inline constexpr scn::Int32 kFaceShaderObjectLink = 1000;
inline constexpr scn::Int32 kFaceShaderHelp = 1001;

class FaceCaptureObject;

class FaceShaderData : public scn::ShaderData {
 public:
  static scn::NodeData* Alloc();

  FaceShaderData() = default;
  ~FaceShaderData() override;
  FaceShaderData(const FaceShaderData&) = delete;
  FaceShaderData& operator=(const FaceShaderData&) = delete;

  scn::Bool InitNodeData(scn::SceneNode* node) override;
  void ReleaseNodeData(scn::SceneNode* node) override;
  scn::Bool OnNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) override;
  scn::Bool WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                               scn::Int32& flags) override;
  scn::Int32 PrepareRender(scn::SceneNode* shader, const scn::RenderInfo& info) override;
  void FinishRender(scn::SceneNode* shader) override;
  scn::Vector SampleColor(scn::SceneNode* shader, const scn::ColorSample& sample) override;
  scn::Bool ProvideBitmap(scn::SceneNode* shader, scn::Bitmap* out) override;

  scn::SceneNode* node = nullptr;
  scn::Int32 colorMode = 0;
  scn::Bitmap* renderBitmap = nullptr;
  scn::Bitmap* viewportBitmap = nullptr;
  scn::String folderText;
  scn::Int32 imageIndex = -1;

 private:
  // The face capture object link 1000 names in the shader's document; null for anything else.
  FaceCaptureObject* LinkedObject(scn::SceneNode* shader, scn::SceneNode** objectNode = nullptr) const;
  void Register(scn::SceneNode* shader, scn::Int64 objectId, bool add) const;
  // The camera image of the object's current frame into bitmap; false when there is none.
  bool LoadRenderImage(scn::SceneNode* shader, scn::Document* doc, scn::Bitmap* bitmap) const;
};

bool RegisterFaceShader();
