// The motion capture object: one downloaded body capture played back in the scene.
#pragma once

#include "scn/nodedata.h"

class MotionCaptureObject : public scn::ObjectData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterMotionCaptureObject();
