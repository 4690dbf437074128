// One joint of a body capture's "skeleton.bin".
#pragma once

#include "scn/api.h"

struct MotionJoint {
  scn::String name;
  scn::Int32 jointIndex = 0;
  scn::Int32 parentIndex = 0;
  scn::Bool tracked = false;
};

// A name up to its 0 byte (or the end of the file), then the three Int32. False when the name is
// empty or a number cannot be read; joint is then partly set.
bool ReadMotionJoint(scn::HostFile* file, MotionJoint& joint);
