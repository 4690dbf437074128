#include "face/faceshader.h"

#include <cmath>

#include "face/facecapture.h"
#include "helpdialog.h"
#include "scn/api.h"
#include "scn/bitmap.h"
#include "scn/scene.h"

namespace {

constexpr scn::Int32 kRenderFailed = -102;
// A message the host sends the shader about its linked object.
constexpr scn::Int32 kMsgLinkedObject = 112004;

scn::Int64 LinkOf(const scn::Value& data) {
  if (auto p = std::get_if<scn::NodeLinkValue>(&data)) return p->nodeId;
  return 0;
}

// Pixel index of a texture coordinate: truncated toward zero, not wrapped.
scn::Int32 PixelOf(scn::Float64 t, scn::Int32 size) {
  const scn::Float64 p = std::trunc(static_cast<scn::Float64>(size) * t);
  if (!(p >= -2147483648.0 && p <= 2147483647.0)) return -1;
  return static_cast<scn::Int32>(p);
}

}  // namespace

scn::NodeData* FaceShaderData::Alloc() {
  return scn::NewObjClear<FaceShaderData>("faceshader", __LINE__);
}

FaceShaderData::~FaceShaderData() {
  scn::FreeBitmap(renderBitmap);
  scn::FreeBitmap(viewportBitmap);
}

FaceCaptureObject* FaceShaderData::LinkedObject(scn::SceneNode* shader, scn::SceneNode** objectNode) const {
  const scn::Int64 id = scn::GetNodeContainer(shader)->GetLink(kFaceShaderObjectLink);
  scn::SceneNode* object =
      id ? scn::ResolveLinkValue(scn::GetNodeDocument(shader), id, kFaceCaptureObjectId) : nullptr;
  if (objectNode) *objectNode = object;
  return GetFaceCaptureObject(object);
}

void FaceShaderData::Register(scn::SceneNode* shader, scn::Int64 objectId, bool add) const {
  if (!objectId) return;
  FaceCaptureObject* object = GetFaceCaptureObject(
      scn::ResolveLinkValue(scn::GetNodeDocument(shader), objectId, kFaceCaptureObjectId));
  if (!object) return;
  if (add)
    object->AddShaderUser(shader);
  else
    object->RemoveShaderUser(shader);
}

scn::Bool FaceShaderData::InitNodeData(scn::SceneNode* shader) {
  node = shader;
  imageIndex = -1;
  Register(shader, scn::GetNodeContainer(shader)->GetLink(kFaceShaderObjectLink), true);
  return true;
}

void FaceShaderData::ReleaseNodeData(scn::SceneNode* shader) {
  Register(shader, scn::GetNodeContainer(shader)->GetLink(kFaceShaderObjectLink), false);
}

scn::Bool FaceShaderData::OnNodeMessage(scn::SceneNode* shader, scn::Int32 type, void* data) {
  if (type == scn::kMsgButton && data && *static_cast<const scn::Int32*>(data) == kFaceShaderHelp)
    ShowHelp("1010");
  if (type == kMsgLinkedObject && !LinkedObject(shader)) return false;
  return ShaderData::OnNodeMessage(shader, type, data);
}

scn::Bool FaceShaderData::WriteParameterHook(scn::SceneNode* shader, scn::Int32 id, const scn::Value& data,
                                             scn::Int32& flags) {
  if (id == kFaceShaderObjectLink) {
    const scn::Int64 before = scn::GetNodeContainer(shader)->GetLink(kFaceShaderObjectLink);
    const scn::Int64 after = LinkOf(data);
    if (before != after) {
      Register(shader, before, false);
      Register(shader, after, true);
    }
  }
  return ShaderData::WriteParameterHook(shader, id, data, flags);
}

bool FaceShaderData::LoadRenderImage(scn::SceneNode* shader, scn::Document* doc, scn::Bitmap* bitmap) const {
  if (!doc || !bitmap) return false;
  FaceCaptureObject* object = LinkedObject(shader);
  if (!object) return false;
  const scn::Filename file = object->GetImageFileAtTime(doc);
  if (file.IsEmpty()) return false;
  return scn::LoadBitmapFile(bitmap, file, -1) == scn::kImageOk;
}

scn::Int32 FaceShaderData::PrepareRender(scn::SceneNode* shader, const scn::RenderInfo& info) {
  colorMode = 0;
  if (info.colorManagement) colorMode = info.linearWorkflow ? 0 : 2;
  scn::FreeBitmap(renderBitmap);
  renderBitmap = scn::AllocateBitmap();
  if (LoadRenderImage(shader, scn::GetNodeDocument(shader), renderBitmap)) return 0;
  scn::FreeBitmap(renderBitmap);
  return kRenderFailed;
}

void FaceShaderData::FinishRender(scn::SceneNode*) {
  scn::FreeBitmap(renderBitmap);
}

scn::Vector FaceShaderData::SampleColor(scn::SceneNode*, const scn::ColorSample& sample) {
  scn::Float32 rgb[3] = {0.5f, 0.5f, 0.5f};
  if (renderBitmap) {
    const scn::Int32 x = PixelOf(sample.u, scn::GetBitmapWidth(renderBitmap));
    const scn::Int32 y = PixelOf(sample.v, scn::GetBitmapHeight(renderBitmap));
    scn::GetBitmapPixelFloat(renderBitmap, x, y, rgb);  // a pixel outside leaves the grey
  }
  return scn::ConvertColor({rgb[0], rgb[1], rgb[2]}, colorMode);
}

scn::Bool FaceShaderData::ProvideBitmap(scn::SceneNode* shader, scn::Bitmap* out) {
  scn::SceneNode* objectNode = nullptr;
  Register(shader, scn::GetNodeContainer(shader)->GetLink(kFaceShaderObjectLink), true);
  FaceCaptureObject* object = LinkedObject(shader, &objectNode);
  if (!object || !out) return false;
  const scn::Container& bc = *scn::GetNodeContainer(objectNode);
  bool changed = false;
  const scn::String folder = bc.GetFilename(kFaceFile).GetString();
  if (folder != folderText) {
    folderText = folder;
    changed = true;
  }
  const bool fixed = bc.GetBool(kFaceFixedImage);
  const scn::Int32 fixedIndex = bc.GetInt32(kFaceImageIndex);
  scn::Document* doc = scn::GetNodeDocument(shader);
  if (!fixed) {
    scn::Int32 index = -1;
    object->FrameIndexAtTime(doc, bc, &index);
    return scn::CopyBitmapInto(object->GetImage(index), out);
  }
  if (viewportBitmap && imageIndex == fixedIndex && !changed) return scn::CopyBitmapInto(viewportBitmap, out);
  scn::Bitmap* loaded = scn::AllocateBitmap();
  if (!LoadRenderImage(shader, doc, loaded) || !scn::ConvertBitmapTo24Bits(loaded)) {
    scn::FreeBitmap(loaded);
    return false;
  }
  scn::FreeBitmap(viewportBitmap);
  viewportBitmap = loaded;
  imageIndex = fixedIndex;
  return scn::CopyBitmapInto(viewportBitmap, out);
}

bool RegisterFaceShader() {
  return scn::RegisterShaderType(kFaceShaderId, scn::LoadResourceString(11024), 9, FaceShaderData::Alloc,
                                 "xfaceshader", 0);
}
