#include "face/faceframe.h"

#include <limits>
#include <new>

namespace {

int StoredWeightCount(scn::Int32 version) { return version == 2 ? kBlendshapeCount : kBlendshapeCountVersion1; }

// A record may claim any vertex count; reserve no more than a face mesh ahead of the reads.
constexpr scn::Int32 kReserveLimit = 4096;

bool ReadVertices(scn::RecordFile* rf, std::vector<scn::Vector>& vertices) {
  scn::Int32 count = 0;
  if (!scn::ReadRecordInt32(rf, &count) || count < 0) return false;
  vertices.clear();
  try {
    vertices.reserve(static_cast<std::size_t>(count < kReserveLimit ? count : kReserveLimit));
    for (scn::Int32 i = 0; i < count; ++i) {
      scn::Vector v;
      if (!scn::ReadRecordVector(rf, &v)) return false;
      vertices.push_back(v);
    }
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}

bool WriteVertices(scn::RecordFile* rf, const std::vector<scn::Vector>& vertices) {
  if (vertices.size() > static_cast<std::size_t>(std::numeric_limits<scn::Int32>::max())) return false;
  if (!scn::WriteRecordInt32(rf, static_cast<scn::Int32>(vertices.size()))) return false;
  for (const scn::Vector& v : vertices)
    if (!scn::WriteRecordVector(rf, v)) return false;
  return true;
}

}  // namespace

FaceFrame::FaceFrame(const FaceFrame& other) { CopyFrom(other); }

FaceFrame& FaceFrame::operator=(const FaceFrame& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

bool FaceFrame::CopyFrom(const FaceFrame& other) {
  version = other.version;
  cameraMatrix = other.cameraMatrix;
  faceMatrix = other.faceMatrix;
  cameraIntrinsics = other.cameraIntrinsics;
  hostCameraMatrix = other.hostCameraMatrix;
  weights = other.weights;
  extraVector = other.extraVector;
  extraValue = other.extraValue;
  extraValues = other.extraValues;
  leftEyeMatrix = other.leftEyeMatrix;
  rightEyeMatrix = other.rightEyeMatrix;
  eyeVector = other.eyeVector;
  eyeValue = other.eyeValue;
  ownImage = other.ownImage;
  imageFrameIndex = other.imageFrameIndex;
  nextImageFrameIndex = other.nextImageFrameIndex;
  try {
    vertices = other.vertices;
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    vertices.clear();
    return false;
  }
  return true;
}

bool FaceFrame::Read(scn::RecordFile* rf) {
  if (!scn::ReadRecordInt32(rf, &version) || !scn::ReadRecordMatrix(rf, &cameraMatrix) ||
      !scn::ReadRecordMatrix(rf, &faceMatrix) || !scn::ReadRecordMatrix(rf, &cameraIntrinsics) ||
      !scn::ReadRecordMatrix(rf, &hostCameraMatrix) || !ReadVertices(rf, vertices))
    return false;
  const int weightCount = StoredWeightCount(version);
  for (int i = 0; i < weightCount; ++i)
    if (!scn::ReadRecordFloat32(rf, &weights[i])) return false;
  if (!scn::ReadRecordVector(rf, &extraVector) || !scn::ReadRecordFloat64(rf, &extraValue)) return false;
  for (scn::Float64& value : extraValues)
    if (!scn::ReadRecordFloat64(rf, &value)) return false;
  if (version == 2 && (!scn::ReadRecordMatrix(rf, &leftEyeMatrix) || !scn::ReadRecordMatrix(rf, &rightEyeMatrix) ||
                       !scn::ReadRecordVector(rf, &eyeVector) || !scn::ReadRecordFloat64(rf, &eyeValue)))
    return false;
  return scn::ReadRecordBool(rf, &ownImage) && scn::ReadRecordInt32(rf, &imageFrameIndex) &&
         scn::ReadRecordInt32(rf, &nextImageFrameIndex);
}

bool FaceFrame::Write(scn::RecordFile* rf) const {
  if (!scn::WriteRecordInt32(rf, version) || !scn::WriteRecordMatrix(rf, cameraMatrix) ||
      !scn::WriteRecordMatrix(rf, faceMatrix) || !scn::WriteRecordMatrix(rf, cameraIntrinsics) ||
      !scn::WriteRecordMatrix(rf, hostCameraMatrix) || !WriteVertices(rf, vertices))
    return false;
  const int weightCount = StoredWeightCount(version);
  for (int i = 0; i < weightCount; ++i)
    if (!scn::WriteRecordFloat32(rf, weights[i])) return false;
  if (!scn::WriteRecordVector(rf, extraVector) || !scn::WriteRecordFloat64(rf, extraValue)) return false;
  for (scn::Float64 value : extraValues)
    if (!scn::WriteRecordFloat64(rf, value)) return false;
  if (version == 2 && (!scn::WriteRecordMatrix(rf, leftEyeMatrix) || !scn::WriteRecordMatrix(rf, rightEyeMatrix) ||
                       !scn::WriteRecordVector(rf, eyeVector) || !scn::WriteRecordFloat64(rf, eyeValue)))
    return false;
  return scn::WriteRecordBool(rf, ownImage) && scn::WriteRecordInt32(rf, imageFrameIndex) &&
         scn::WriteRecordInt32(rf, nextImageFrameIndex);
}
