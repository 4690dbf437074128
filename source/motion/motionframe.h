// One frame of a body capture: what "motionData.bin" gives for it and what loading derives from it.
#pragma once

#include <vector>

#include "scn/api.h"

struct MotionFrame {
  scn::Matrix bodyMatrix;      // as read
  scn::Matrix axisMatrix;      // three axes from the file; the offset stays zero
  scn::Matrix hostBodyMatrix;  // derived on load from the body matrix
  std::vector<scn::Matrix> matrixListA;
  std::vector<scn::Matrix> matrixListB;
  scn::Matrix trailingMatrix;  // stored as read
  scn::Float32 time = 0.0f;
};

// The values of one frame entry in file order (all but hostBodyMatrix); false on the first value that
// cannot be read, the frame then holding part of the entry.
bool ReadMotionFrameEntry(scn::HostFile* file, MotionFrame& frame);
