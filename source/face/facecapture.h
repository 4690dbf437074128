// The face capture object: one downloaded face performance played back in the scene.
#pragma once

#include "scn/nodedata.h"

class FaceCaptureObject : public scn::ObjectData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterFaceCaptureObject();
