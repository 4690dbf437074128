// The face pose tag: connects a face capture object's weights to a target.
#pragma once

#include "scn/nodedata.h"

class FacePoseTag : public scn::TagData {
 public:
  static scn::NodeData* Alloc();
};

bool RegisterFacePoseTag();
