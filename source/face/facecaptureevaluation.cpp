// Playing a face performance back: the frame of the document time goes into the target mesh, the
// weight and matrix parameters, and the linked camera.
#include <algorithm>
#include <cmath>
#include <limits>

#include "face/facecapture.h"

namespace {

constexpr scn::Float64 kPi = 3.14159265358979323846;

scn::Int32 ClampToInt32(scn::Float64 v) {
  constexpr auto lo = static_cast<scn::Float64>(std::numeric_limits<scn::Int32>::min());
  constexpr auto hi = static_cast<scn::Float64>(std::numeric_limits<scn::Int32>::max());
  if (!(v >= lo)) return std::numeric_limits<scn::Int32>::min();
  if (v > hi) return std::numeric_limits<scn::Int32>::max();
  return static_cast<scn::Int32>(v);
}

scn::Int32 ClampToInt32(scn::Int64 v) {
  return static_cast<scn::Int32>(std::clamp<scn::Int64>(v, std::numeric_limits<scn::Int32>::min(),
                                                        std::numeric_limits<scn::Int32>::max()));
}

// The document's time as a whole frame of its frame rate, truncated towards zero.
scn::Int32 DocumentFrame(scn::Document* doc) {
  const scn::TimeValue t = scn::GetDocumentTime(doc);
  const scn::Float64 den = std::floor(static_cast<scn::Float64>(t.denominator));
  if (den == 0.0) return 0;
  const scn::Float64 num = std::floor(static_cast<scn::Float64>(t.numerator) * scn::GetDocumentFps(doc));
  return ClampToInt32(std::trunc(num / den));
}

const scn::Matrix& TurnByPi() {
  static const scn::Matrix turn = scn::RotationY(kPi);
  return turn;
}

scn::Vector Normalized(const scn::Vector& v) {
  const scn::Float64 len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
  return len > 0.0 ? v * (1.0 / len) : v;
}

void WriteMatrixParameters(scn::Container& bc, scn::Int32 matrixId, scn::Int32 positionId,
                           scn::Int32 rotationId, const scn::Matrix& m) {
  bc.SetMatrix(matrixId, m);
  bc.SetVector(positionId, m.off);
  bc.SetVector(rotationId, RotationFromMatrix(m));
}

bool IsFrame(scn::Int32 index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

// Rotation order 6 is heading, pitch, bank: M = Ry(h) x Rx(p) x Rz(b) with the host's rotations, so bank
// turns first; the angles are kept as the vector (h, p, b).
scn::Matrix MatrixFromRotation(const scn::Vector& hpb) {
  return scn::RotationY(hpb.x) * scn::RotationX(hpb.y) * scn::RotationZ(hpb.z);
}

scn::Vector RotationFromMatrix(const scn::Matrix& m) {
  const scn::Vector v1 = Normalized(m.v1), v2 = Normalized(m.v2), v3 = Normalized(m.v3);
  const scn::Float64 pitch = std::asin(std::clamp(-v3.y, -1.0, 1.0));
  if (std::abs(v3.y) > 1.0 - 1e-12) return {std::atan2(v1.z, v1.x), pitch, 0.0};  // bank folds into heading
  return {std::atan2(-v3.x, v3.z), pitch, std::atan2(-v1.y, v2.y)};
}

const std::array<scn::Int32, kBlendshapeCount>& BlendshapeMirrorTable() {
  static const std::array<scn::Int32, kBlendshapeCount> table = [] {
    std::array<scn::Int32, kBlendshapeCount> t{};
    for (int i = 0; i < kBlendshapeCount; ++i) {
      const scn::Int32 id = kBlendshapeFirstId + i;
      scn::String name = BlendshapeName(id);
      const std::size_t n = name.size();
      t[i] = id;
      if (n < 2 || name[n - 2] != '_' || (name[n - 1] != 'L' && name[n - 1] != 'R')) continue;
      name[n - 1] = name[n - 1] == 'L' ? 'R' : 'L';
      const scn::Int32 other = BlendshapeIdFromName(name, 2);
      if (other != 0) t[i] = other;
    }
    return t;
  }();
  return table;
}

scn::Int32 FaceCaptureObject::FrameIndexAtTime(scn::Document* doc, const scn::Container& bc,
                                               scn::Int32* imageFrame) const {
  if (imageFrame) *imageFrame = 0;
  if (!doc) return 0;
  const scn::Int32 docFrame = DocumentFrame(doc);
  const scn::Int64 start = bc.GetInt32(kFaceStartFrame);
  const scn::Int64 first = bc.GetInt32(kFaceFirstFrame);
  const scn::Int64 length = bc.GetInt32(kFaceLength);
  const bool loop = bc.GetBool(kFaceLoop);
  const bool fixedImage = bc.GetBool(kFaceFixedImage);
  scn::Int32 image = std::clamp(bc.GetInt32(kFaceImageIndex), 0, std::max(settings.frameCount, 0));

  scn::Int64 index = first;
  if (docFrame >= start) {
    // The length counts from the first capture frame, not from capture frame 0.
    const scn::Int64 played = docFrame - start;
    index = played + first;
    if (length != 0 && played >= length) index = loop ? played % length + first : first - 1 + length;
  }
  const scn::Int32 result = ClampToInt32(index);
  if (!fixedImage && !frames.empty()) {
    const auto last = static_cast<scn::Int32>(frames.size()) - 1;
    image = frames[std::clamp(result, 0, last)]->imageFrameIndex;
  }
  if (imageFrame) *imageFrame = image;
  return result;
}

void FaceCaptureObject::WriteFrameToMesh(const FaceFrame& frame, scn::Int32 index, scn::Int32 mode,
                                         scn::SceneNode* target, bool* stop) {
  *stop = false;
  const scn::Int32 pointCount = scn::GetPointCount(target);
  scn::Vector* points = scn::GetPointsW(target);
  if (!points) return;
  const auto count = static_cast<scn::Int32>(frame.vertices.size());
  auto copy = [&] {
    const scn::Int32 n = std::min(count, pointCount);
    for (scn::Int32 i = 0; i < n; ++i) points[i] = frame.vertices[i] * 100.0;
  };
  switch (mode) {
    case kFaceModeEveryFrame:
      copy();
      return;
    case kFaceModeImageFramesOnly:
      if (frame.ownImage)
        copy();
      else
        *stop = true;
      return;
    case kFaceModeBlendRuns: {
      const scn::Int32 e = frame.imageFrameIndex, l = frame.nextImageFrameIndex;
      if (frame.ownImage || !IsFrame(e, frames.size()) || !IsFrame(l, frames.size()) || l == e) {
        copy();
        return;
      }
      const FaceFrame& earlier = *frames[e];
      const FaceFrame& later = *frames[l];
      if (count > pointCount || earlier.vertices.size() < frame.vertices.size() ||
          later.vertices.size() < frame.vertices.size())
        return;
      const scn::Float64 t = static_cast<scn::Float64>(index - e) / static_cast<scn::Float64>(l - e);
      for (scn::Int32 i = 0; i < count; ++i)
        points[i] = (earlier.vertices[i] * (1.0 - t) + later.vertices[i] * t) * 100.0;
      return;
    }
    default:
      return;
  }
}

void FaceCaptureObject::WriteTextureCoordinates(const FaceFrame& imageFrame, scn::SceneNode* target) {
  scn::SceneNode* tag = scn::GetFirstTag(target, scn::kTagUVW);
  if (!tag) return;
  const auto vertexCount = static_cast<scn::Int32>(imageFrame.vertices.size());
  try {
    projected_.resize(imageFrame.vertices.size());
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return;
  }
  const scn::Matrix toCamera = imageFrame.cameraMatrix.Inverse() * imageFrame.faceMatrix;
  const scn::Matrix& k = imageFrame.cameraIntrinsics;
  const scn::Float64 fx = k.v1.x, fy = k.v2.y, cx = k.v3.x, cy = k.v3.y;
  const auto width = static_cast<scn::Float64>(imageWidth), height = static_cast<scn::Float64>(imageHeight);
  for (scn::Int32 i = 0; i < vertexCount; ++i) {
    const scn::Vector p = toCamera * (imageFrame.vertices[i] * 100.0);
    if (p.z == 0.0) {
      projected_[i] = {0.0, 0.0, 1.0};  // a point in the camera's plane has no image
      continue;
    }
    const scn::Float64 px = p.x * fx / p.z + cx, py = p.y * fy / p.z + cy;
    projected_[i] = {1.0 - px / width, py / height, 1.0};
  }
  const scn::Polygon* polygons = scn::GetPolygonsW(target);
  const scn::Int32 polygonCount = std::min(scn::GetPolygonCount(target), scn::GetUVWCount(tag));
  if (!polygons) return;
  auto inside = [vertexCount](scn::Int32 i) { return i >= 0 && i < vertexCount; };
  for (scn::Int32 j = 0; j < polygonCount; ++j) {
    const scn::Polygon& q = polygons[j];
    if (!inside(q.a) || !inside(q.b) || !inside(q.c) || !inside(q.d)) continue;
    scn::SetUVW(tag, j, {projected_[q.a], projected_[q.b], projected_[q.c], projected_[q.d]});
  }
}

void FaceCaptureObject::WriteWeights(const FaceFrame& frame, scn::Container& bc) const {
  const bool keepSides = bc.GetBool(kFaceKeepSides);
  const auto& mirror = BlendshapeMirrorTable();
  for (int i = 0; i < kBlendshapeCount; ++i)
    bc.SetFloat(keepSides ? kBlendshapeFirstId + i : mirror[i], static_cast<scn::Float64>(frame.weights[i]));
}

scn::SceneNode* FaceCaptureObject::UpdateFaceMesh(scn::SceneNode* node, scn::Document* doc,
                                                  scn::Container& bc, scn::Matrix& faceMatrix,
                                                  scn::Matrix* hostCameraMatrix) {
  scn::SceneNode* target = ResolveTarget(node, doc);
  if (!target) return nullptr;

  bool changed = false;
  if (scn::GetPolygonCount(target) != lastPolygonCount) {
    lastPolygonCount = scn::GetPolygonCount(target);
    changed = true;
  }
  if (!faceMesh) {
    LoadFaceGeometry(node);
    changed = true;
  }
  if (faceMesh) {
    const scn::Int32 points = scn::GetPointCount(target), polygons = scn::GetPolygonCount(target);
    const scn::Int32 meshPoints = scn::GetPointCount(faceMesh), meshPolygons = scn::GetPolygonCount(faceMesh);
    if (points < meshPoints || polygons < meshPolygons) {
      scn::ResizePolygonObject(target, std::max(points, meshPoints), std::max(polygons, meshPolygons));
      scn::SendNodeMessage(target, scn::kMsgUpdate);
      lastPolygonCount = scn::GetPolygonCount(target);
    }
  }
  const bool fixedImage = bc.GetBool(kFaceFixedImage);
  if (fixedImage && bc.GetInt32(kFaceImageIndex) != lastFixedImage) {
    lastFixedImage = bc.GetInt32(kFaceImageIndex);
    changed = true;
  }

  scn::Int32 imageFrame = 0;
  const scn::Int32 index = FrameIndexAtTime(doc, bc, &imageFrame);
  const bool apply = IsFrame(index, frames.size()) && (index != lastFrame || changed);
  if (apply) {
    lastFrame = index;
    const FaceFrame& frame = *frames[index];
    bool stop = false;
    WriteFrameToMesh(frame, index, bc.GetInt32(kFaceFrameMode), target, &stop);
    if (!stop) {
      if (IsFrame(imageFrame, frames.size()) && imageWidth >= 1 && imageHeight >= 1 &&
          ((frame.ownImage && !fixedImage) || changed)) {
        WriteTextureCoordinates(*frames[imageFrame], target);
        NotifyShaderUsers();
      }
      WriteWeights(frame, bc);
      bc.SetVector(kFaceExtraVector, frame.extraVector);
      bc.SetFloat(kFaceExtraValue, frame.extraValue);
      scn::SendNodeMessage(target, scn::kMsgUpdate);
    }
  }
  if (IsFrame(lastFrame, frames.size())) {
    faceMatrix = frames[lastFrame]->faceMatrix;
    if (hostCameraMatrix) *hostCameraMatrix = frames[lastFrame]->hostCameraMatrix;
  }
  return target;
}

void FaceCaptureObject::PlaceCamera(scn::Document* doc, scn::Container& bc, scn::Int32 docFrame) const {
  if (!bc.GetBool(kFaceUseCamera) || !IsFrame(docFrame, frames.size())) return;
  scn::SceneNode* camera = scn::ResolveLinkValue(doc, bc.GetLink(kFaceCameraLink), scn::kTypeCamera);
  if (!camera) return;
  const bool landscape = settings.value == 4;
  scn::Matrix mc = offsetMatrix * frames[docFrame]->hostCameraMatrix;
  switch (bc.GetInt32(kFaceTurnNewMeshes)) {
    case 0:
      if (landscape) mc = scn::RotationZ(kPi / 2) * mc;
      break;
    case 1:
      mc = TurnByPi() * mc;
      if (landscape) mc = scn::RotationZ(-kPi / 2) * mc;
      break;
    default:
      break;
  }
  scn::SetLocalMatrix(camera, mc);
  scn::SendNodeMessage(camera, scn::kMsgUpdate);
}

void FaceCaptureObject::WriteFrameParameters(scn::Container& bc, scn::Int32 docFrame) const {
  if (!IsFrame(docFrame, frames.size())) return;
  const FaceFrame& frame = *frames[docFrame];
  const bool turn = bc.GetInt32(kFaceTurnNewMeshes) == 1;
  WriteMatrixParameters(bc, kFaceOffset, kFaceOffsetPosition, kFaceOffsetRotation, offsetMatrix);
  scn::Matrix camera = offsetMatrix * frame.hostCameraMatrix;
  scn::Matrix face = offsetMatrix * frame.faceMatrix;
  if (turn) {
    camera = TurnByPi() * camera;
    face = TurnByPi() * face;
  }
  WriteMatrixParameters(bc, kFaceCameraMatrix, kFaceCameraPosition, kFaceCameraRotation, camera);
  WriteMatrixParameters(bc, kFaceMatrix, kFaceMatrixPosition, kFaceMatrixRotation, face);
  WriteMatrixParameters(bc, kFaceLeftEyeMatrix, kFaceLeftEyePosition, kFaceLeftEyeRotation,
                        frame.leftEyeMatrix);
  WriteMatrixParameters(bc, kFaceRightEyeMatrix, kFaceRightEyePosition, kFaceRightEyeRotation,
                        frame.rightEyeMatrix);
  bc.SetVector(kFaceEyeVector, frame.eyeVector);
}

scn::SceneNode* FaceCaptureObject::EvaluateGenerator(scn::SceneNode* node) {
  if (!loaded) return nullptr;
  if (imagesReady.exchange(false)) NotifyShaderUsers();
  scn::Document* doc = scn::GetNodeDocument(node);
  scn::Container& bc = *scn::GetNodeContainer(node);

  scn::Matrix m;
  scn::SceneNode* target = UpdateFaceMesh(node, doc, bc, m, nullptr);
  if (!target) return nullptr;
  m = offsetMatrix * m;
  if (!bc.GetBool(kFaceUseCamera)) m.off = {};
  if (!bc.GetBool(kFaceApplyToTarget)) {
    m.v1 = {1, 0, 0};
    m.v2 = {0, 1, 0};
    m.v3 = {0, 0, 1};
  }
  if (bc.GetInt32(kFaceTurnNewMeshes) == 1) m = TurnByPi() * m;
  scn::SetLocalMatrix(target, m);

  const scn::Int32 docFrame = doc ? DocumentFrame(doc) : -1;
  PlaceCamera(doc, bc, docFrame);
  WriteFrameParameters(bc, docFrame);
  return nullptr;
}
