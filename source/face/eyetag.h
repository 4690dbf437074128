// The eye tag: turns its object like one eye of a linked face capture object.
#pragma once

#include "scn/nodedata.h"

class TUEyeTag : public scn::TagData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterEyeTag();
