#include "motion/motionframe.h"

#include "motion/binarymatrix.h"

namespace {

// An axis of three Float32, with no fourth value and no axis conversion.
bool ReadAxis(scn::HostFile* file, scn::Vector& axis) {
  scn::Float32 xyz[3];
  for (scn::Float32& v : xyz)
    if (!scn::ReadFileFloat32(file, &v)) return false;
  axis = {xyz[0], xyz[1], xyz[2]};
  return true;
}

// A frame is dropped whole when it fails, so a count past the file is refused before any read.
bool ReadMatrixList(scn::HostFile* file, std::vector<scn::Matrix>& list) {
  scn::Int32 count = 0;
  return ReadCountWithin(file, kBinaryMatrixBytes, count) && ReadBinaryMatrices(file, count, list);
}

}  // namespace

bool ReadMotionFrameEntry(scn::HostFile* file, MotionFrame& frame) {
  if (!ReadBinaryMatrix(file, frame.bodyMatrix)) return false;
  if (!ReadAxis(file, frame.axisMatrix.v1) || !ReadAxis(file, frame.axisMatrix.v2) ||
      !ReadAxis(file, frame.axisMatrix.v3))
    return false;
  frame.axisMatrix.off = {};
  return ReadBinaryMatrix(file, frame.trailingMatrix) && scn::ReadFileFloat32(file, &frame.time) &&
         ReadMatrixList(file, frame.matrixListA) && ReadMatrixList(file, frame.matrixListB);
}
