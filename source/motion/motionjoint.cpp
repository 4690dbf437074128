#include "motion/motionjoint.h"

#include <new>

namespace {

// The bytes before the next 0 byte; a name cut by the end of the file is taken as it is.
bool ReadName(scn::HostFile* file, scn::String& name) {
  name.clear();
  try {
    char c;
    while (scn::ReadFileChar(file, &c) && c != '\0') name.push_back(c);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return !name.empty();
}

}  // namespace

bool ReadMotionJoint(scn::HostFile* file, MotionJoint& joint) {
  scn::Int32 tracked = 0;
  if (!ReadName(file, joint.name) || !scn::ReadFileInt32(file, &joint.jointIndex) ||
      !scn::ReadFileInt32(file, &joint.parentIndex) || !scn::ReadFileInt32(file, &tracked))
    return false;
  joint.tracked = tracked != 0;
  return true;
}
