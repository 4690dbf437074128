// What the face capture object offers the eye tag, the face pose tag and the face shader.
#include <new>

#include "face/facecapture.h"
#include "scn/bitmap.h"

namespace {

// A list this long was not pruned by its shaders; it starts afresh.
constexpr std::size_t kMaxShaderUsers = 100;

}  // namespace

scn::Int32 FaceCaptureObject::GetFrameCount() const {
  return static_cast<scn::Int32>(frames.size());
}

const FaceFrame* FaceCaptureObject::GetFrame(scn::Int32 index) const {
  if (index < 0 || index >= GetFrameCount()) return nullptr;
  return frames[index];
}

scn::Bitmap* FaceCaptureObject::GetImage(scn::Int32 index) {
  SpinLockGuard guard(imagesLock);
  if (index < 0 || static_cast<std::size_t>(index) >= images.size()) return nullptr;
  return images[index];
}

scn::Filename FaceCaptureObject::GetImageFileAtTime(scn::Document* doc) {
  if (!node_) return scn::Filename();
  const scn::Filename folder = scn::GetNodeContainer(node_)->GetFilename(kFaceFile).GetDirectory();
  if (!settings.hasImages) {
    if (imageFiles.empty()) return scn::Filename();
    SortImageFilesIfNeeded();
    return folder + imageFiles[0];
  }
  scn::Int32 imageFrame = -1;
  FrameIndexAtTime(doc, *scn::GetNodeContainer(node_), &imageFrame);
  if (imageFrame < 0 || static_cast<std::size_t>(imageFrame) >= imageFiles.size()) return scn::Filename();
  SortImageFilesIfNeeded();
  return folder + imageFiles[imageFrame];
}

void FaceCaptureObject::AddShaderUser(scn::SceneNode* shader) {
  SpinLockGuard guard(shaderUsersLock);
  if (shaderUsers.size() > kMaxShaderUsers) {
    for (scn::NodeLink*& link : shaderUsers) scn::FreeLink(link);
    shaderUsers.clear();
  }
  if (!shader) return;
  const scn::Document* doc = scn::GetNodeDocument(shader);
  for (const scn::NodeLink* link : shaderUsers)
    if (scn::GetLinkTarget(link, doc, 0) == shader) return;
  scn::NodeLink* link = scn::AllocateLink();
  if (!link) return;
  scn::SetLink(link, shader);
  try {
    shaderUsers.push_back(link);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    scn::FreeLink(link);
  }
}

void FaceCaptureObject::RemoveShaderUser(scn::SceneNode* shader) {
  SpinLockGuard guard(shaderUsersLock);
  if (!shader) return;
  const scn::Document* doc = scn::GetNodeDocument(shader);
  for (auto it = shaderUsers.begin(); it != shaderUsers.end(); ++it) {
    if (scn::GetLinkTarget(*it, doc, 0) != shader) continue;
    scn::FreeLink(*it);
    shaderUsers.erase(it);
    return;
  }
}

void FaceCaptureObject::NotifyShaderUsers() {
  SpinLockGuard guard(shaderUsersLock);
  if (shaderUsers.empty() || !node_) return;
  const scn::Document* doc = scn::GetNodeDocument(node_);
  for (const scn::NodeLink* link : shaderUsers)
    if (scn::SceneNode* shader = scn::GetLinkTarget(link, doc, 0)) scn::SetNodeDirty(shader, 0xFFFFFFFFu);
}

scn::Matrix FaceCaptureObject::EyeRotationFromWeights(scn::Float64 down, scn::Float64 up, scn::Float64 in,
                                                      scn::Float64 out, scn::Bool left,
                                                      scn::Bool fixedOffset) {
  if (!left) {
    in = -in;
    out = -out;
  }
  constexpr scn::Float64 kDown = 2 * -0.5235987755982988;  // -60 degrees per unit
  constexpr scn::Float64 kUp = 2 * 0.4363323129985824;     // 50 degrees per unit
  constexpr scn::Float64 kSideways = 0.6108652381980153;   // 35 degrees per unit
  scn::Matrix m = scn::RotationX(down * kDown) * scn::RotationX(up * kUp) * scn::RotationY(in * kSideways) *
                  scn::RotationY(out * -kSideways);
  m.off = {};
  if (fixedOffset) m.off = {left ? -3.1 : 3.1, 2.6, 2.2};
  return m;
}
