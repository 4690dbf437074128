#include "face/facecapture.h"

#include <algorithm>
#include <new>

#include "face/imagelist.h"
#include "helpdialog.h"
#include "scn/bitmap.h"

namespace {

scn::Filename FilenameOf(const scn::Value& data) {
  if (auto p = std::get_if<scn::Filename>(&data)) return *p;
  if (auto p = std::get_if<scn::String>(&data)) return scn::Filename(*p);
  return scn::Filename();
}

bool BoolOf(const scn::Value& data) {
  if (auto p = std::get_if<scn::Bool>(&data)) return *p;
  if (auto p = std::get_if<scn::Int32>(&data)) return *p != 0;
  return false;
}

bool IsIdentity(const scn::Matrix& m) {
  return m == scn::Matrix{};
}

// Values that only version-2 frames carry.
bool IsVersion2Only(scn::Int32 id) {
  return id == kTongueOut || (id >= kFaceLeftEyeMatrix && id <= kFaceLeftEyeRotation) ||
         (id >= kFaceRightEyeMatrix && id <= kFaceEyeVector);
}

}  // namespace

FaceCaptureObject* GetFaceCaptureObject(scn::SceneNode* node) {
  if (!node || scn::GetNodeType(node) != kFaceCaptureObjectId) return nullptr;
  return static_cast<FaceCaptureObject*>(scn::GetNodeData(node));
}

scn::NodeData* FaceCaptureObject::Alloc() {
  return scn::NewObjClear<FaceCaptureObject>("facecapture", __LINE__);
}

FaceCaptureObject::FaceCaptureObject() : soundLink(scn::AllocateLink()), selfLink(scn::AllocateLink()) {}

FaceCaptureObject::~FaceCaptureObject() {
  imageThread.EndThread(true);
  ClearPerformance();
  scn::FreeLink(selfLink);
  FreeShaderUsers();
  scn::FreeLink(soundLink);
}

scn::Bool FaceCaptureObject::InitNodeData(scn::SceneNode* node) {
  node_ = node;
  scn::Container* bc = scn::GetNodeContainer(node);
  bc->SetBool(kFaceFixedImage, false);
  bc->SetInt32(kFaceImageIndex, 0);
  bc->SetInt32(kFaceStartFrame, 0);
  bc->SetInt32(kFaceFirstFrame, 0);
  bc->SetInt32(kFaceLength, 100);
  bc->SetBool(kFaceLoop, false);
  bc->SetBool(kFaceApplyToTarget, true);
  bc->SetBool(kFaceUseCamera, true);
  bc->SetInt32(kFaceFrameMode, kFaceModeEveryFrame);
  bc->SetBool(kFaceKeepSides, false);
  bc->SetInt32(kFaceTurnNewMeshes, 1);
  scratchMesh = scn::AllocatePolygonObject(0, 0);
  if (selfLink) scn::SetLink(selfLink, node);
  ClearPerformance();
  return true;
}

void FaceCaptureObject::ReleaseNodeData(scn::SceneNode*) {
  scn::FreeSceneNode(scratchMesh);
}

void FaceCaptureObject::FreeFrames() {
  for (FaceFrame*& frame : frames) scn::DeleteObj(frame);
  frames.clear();
}

void FaceCaptureObject::FreeShaderUsers() {
  SpinLockGuard guard(shaderUsersLock);
  for (scn::NodeLink*& link : shaderUsers) scn::FreeLink(link);
  shaderUsers.clear();
}

void FaceCaptureObject::FreeImages() {
  SpinLockGuard guard(imagesLock);
  for (scn::Bitmap*& image : images) scn::FreeBitmap(image);
  images.clear();
}

bool FaceCaptureObject::HasImages() {
  SpinLockGuard guard(imagesLock);
  return std::any_of(images.begin(), images.end(), [](const scn::Bitmap* image) { return image != nullptr; });
}

bool FaceCaptureObject::AppendImage(scn::Bitmap* image) {
  SpinLockGuard guard(imagesLock);
  try {
    images.push_back(image);
    return true;
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    scn::FreeBitmap(image);
    return false;
  }
}

bool FaceCaptureObject::StartImageThread(scn::SceneNode* node) {
  if (!loaded || scn::GetNodeContainer(node)->GetBool(kFaceFixedImage) || imageThread.IsThreadRunning())
    return false;
  if (HasImages()) return false;
  SortImageFilesIfNeeded();
  const scn::Filename folder = scn::GetNodeContainer(node)->GetFilename(kFaceFile).GetDirectory();
  return imageThread.Start(folder, imageFiles);
}

void FaceCaptureObject::StopImageThread() {
  imageThread.EndThread(true);
  FreeImages();
}

void FaceCaptureObject::SortImageFilesIfNeeded() {
  if (imageFilesSorted) return;
  SortImageFiles(imageFiles);
  imageFilesSorted = true;
}

scn::Bool FaceCaptureObject::CopyNodeData(scn::NodeData* dest, scn::SceneNode*, scn::SceneNode* destNode) {
  auto* d = static_cast<FaceCaptureObject*>(dest);
  // Onto itself every field already holds what it would receive.
  if (d == this) return true;
  if (destNode) {
    d->node_ = destNode;
    if (d->selfLink) scn::SetLink(d->selfLink, destNode);
  }
  return CopyInto(*d);
}

bool FaceCaptureObject::CopyInto(FaceCaptureObject& d) const {
  d.offsetMatrix = offsetMatrix;
  if (!d.soundLink || !soundLink || !scn::CopyLink(d.soundLink, soundLink)) return false;
  d.loaded = loaded;
  d.FreeFrames();
  scn::FreeSceneNode(d.faceMesh);
  try {
    d.imageFiles = imageFiles;
    d.imageFilesSorted = false;
    for (const FaceFrame* frame : frames) {
      FaceFrame* copy = scn::NewObj<FaceFrame>("facecapture", __LINE__);
      if (!copy) return false;
      d.frames.push_back(copy);
      if (!copy->CopyFrom(*frame)) return false;
    }
    d.triangleIndices = triangleIndices;
    d.uvs = uvs;
    d.settings = settings;
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  if (faceMesh) {
    d.faceMesh = scn::CloneNode(faceMesh);
    if (!d.faceMesh) return false;
  }
  d.lastFrame = lastFrame;
  d.imageWidth = imageWidth;
  d.imageHeight = imageHeight;
  return true;
}

scn::Bool FaceCaptureObject::WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                                                scn::Int32& flags) {
  scn::Container* bc = scn::GetNodeContainer(node);
  switch (id) {
    case kFaceFile: {
      const scn::Filename file = FilenameOf(data);
      bc->SetFilename(kFaceFile, file);
      flags |= scn::kParamSet;
      LoadPerformance(node, scn::GetNodeDocument(node), file);
      // What follows runs whatever the load gave.
      bc->SetString(kFaceFrameCountText, std::to_string(GetFrameCount()));
      bc->SetString(kFaceFileName, file.GetFile().GetString());
      if (!settings.hasImages) {
        bc->SetBool(kFaceFixedImage, true);
        bc->SetInt32(kFaceImageIndex, 0);
      }
      FindSoundFile(node);
      break;
    }
    case kFaceFixedImage:
      if (BoolOf(data)) {
        // A frame not yet applied holds image 0.
        const scn::Int32 frame = lastFrame < 0 ? 0 : lastFrame;
        bc->SetInt32(kFaceImageIndex, frame);
        fixedImageFrame = frame;
        StopImageThread();
      }
      NotifyShaderUsers();
      lastFrame = -1;
      break;
    case kFaceImageIndex:
      NotifyShaderUsers();
      lastFrame = -1;
      break;
    case kFaceStartFrame:
    case kFaceApplyToTarget:
    case kFaceUseCamera:
    case kFaceTargetLink:
    case kFaceKeepSides:
      lastFrame = -1;
      break;
    default:
      break;
  }
  return true;
}

scn::SceneNode* FaceCaptureObject::ResolveTarget(scn::SceneNode* node, scn::Document* doc) const {
  const scn::Int64 id = scn::GetNodeContainer(node)->GetLink(kFaceTargetLink);
  if (id == 0) return nullptr;
  return scn::ResolveLinkValue(doc, id, scn::kTypePolygonObject);
}

scn::Bool FaceCaptureObject::IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container&) {
  scn::Container* bc = scn::GetNodeContainer(node);
  scn::Document* doc = scn::GetNodeDocument(node);
  const bool fixedImage = bc->GetBool(kFaceFixedImage);
  switch (id) {
    case kFaceCameraLink:
      return bc->GetBool(kFaceUseCamera);
    case kFaceMakeSound:
      return !soundLink || !scn::GetLinkTarget(soundLink, doc, 0);
    case kFaceRemoveSound:
      return soundLink && scn::GetLinkTarget(soundLink, doc, 0);
    case kFaceMakeCamera:
      return !scn::ResolveLinkValue(doc, bc->GetLink(kFaceCameraLink), 0);
    case kFaceFixedImage:
      return settings.hasImages;
    case kFaceFixedImageHint:
      return fixedImage;
    case kFaceImageIndex:
      return fixedImage && settings.hasImages;
    case kFaceResetOffset:
      return !IsIdentity(offsetMatrix);
    case kFaceStartImages:
      return !HasImages() && !fixedImage;
    case kFaceStopImages:
      return HasImages() && !fixedImage;
    case kFaceCopyToDocument:
      return !IsInDocumentFolder(node, doc);
    case kFaceMakeMesh:
      return !ResolveTarget(node, doc);
    case kFaceMakeQuadMesh: {
      scn::SceneNode* target = ResolveTarget(node, doc);
      return target && faceMesh && scn::GetPolygonCount(target) != scn::GetPolygonCount(faceMesh) / 2;
    }
    default:
      if (IsVersion2Only(id)) return frames.empty() || frames[0]->version >= 2;
      return true;
  }
}

scn::Bool FaceCaptureObject::OnNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) {
  if (type != scn::kMsgButton || !data) return true;
  scn::Document* doc = scn::GetNodeDocument(node);
  switch (*static_cast<const scn::Int32*>(data)) {
    case kFaceMakeCamera:
      MakeCamera(node, doc);
      break;
    case kFaceResetOffset:
      offsetMatrix = scn::Matrix{};
      lastFrame = -1;
      scn::NotifySceneChanged(0);
      break;
    case kFaceMakeMesh:
      if (!ResolveTarget(node, doc)) MakeMeshFromGeometry(node, doc);
      break;
    case kFaceHelp:
      ShowHelp("1001");
      break;
    case kFaceStartImages:
      StartImageThread(node);
      break;
    case kFaceSetDocument:
      FitDocumentToCapture(node, doc);
      break;
    case kFaceCopyToDocument:
      CopyIntoDocumentFolder(node, doc);
      break;
    case kFaceStopImages:
      StopImageThread();
      NotifyShaderUsers();
      break;
    default:
      break;
  }
  return true;
}

bool RegisterFaceCaptureObject() {
  scn::Bitmap* icon = scn::LoadIconBitmap("captureobject.tif");
  const bool ok = scn::RegisterObjectType(kFaceCaptureObjectId, scn::LoadResourceString(10001), 0x10004004,
                                          FaceCaptureObject::Alloc, "Ofacecapture", icon, 3);
  scn::FreeBitmap(icon);
  return ok;
}
