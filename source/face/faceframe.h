// One frame of a face performance: what "faceData.txt" gives for it, what loading derives from it,
// and its form in the face capture object's scene record.
#pragma once

#include <array>
#include <vector>

#include "face/blendshapes.h"
#include "scn/api.h"

inline constexpr int kFrameExtraValueCount = 27;

struct FaceFrame {
  FaceFrame() = default;
  // Out of memory while copying the vertices is reported and leaves them empty; CopyFrom tells.
  FaceFrame(const FaceFrame& other);
  FaceFrame& operator=(const FaceFrame& other);
  FaceFrame(FaceFrame&&) noexcept = default;
  FaceFrame& operator=(FaceFrame&&) noexcept = default;

  // Copies every field; false (out of memory reported, vertices empty) when the vertices do not fit.
  bool CopyFrom(const FaceFrame& other);

  // The frame's part of the scene record. Both stop at the first value that fails.
  bool Read(scn::RecordFile* rf);
  bool Write(scn::RecordFile* rf) const;

  scn::Int32 version = 2;  // 1 or 2, from "faceData.txt"
  scn::Matrix cameraMatrix;
  scn::Matrix faceMatrix;
  scn::Matrix cameraIntrinsics;  // focal lengths and principal point
  scn::Matrix hostCameraMatrix;  // derived on load from the camera matrix
  std::vector<scn::Vector> vertices;
  std::array<scn::Float32, kBlendshapeCount> weights{};  // by id - kBlendshapeFirstId; version 1 has 51
  scn::Vector extraVector;
  scn::Float64 extraValue = 0.0;
  std::array<scn::Float64, kFrameExtraValueCount> extraValues{};
  // Version 2 only.
  scn::Matrix leftEyeMatrix;
  scn::Matrix rightEyeMatrix;
  scn::Vector eyeVector;
  scn::Float64 eyeValue = 0.0;
  // Runs of identical frames share the image of the run's first frame.
  scn::Bool ownImage = true;
  scn::Int32 imageFrameIndex = 0;
  scn::Int32 nextImageFrameIndex = 1;
};
