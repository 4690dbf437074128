// The live animation handles of a scene: the entries check the tracks, masters and ports they are handed
// against it, and connections find their output ports by id.
#pragma once

#include "animation/handleindex.h"
#include "scn/handles.h"

namespace host {

struct AnimationIndex {
  HandleIndex<scn::AnimTrack> tracks;
  HandleIndex<scn::NodeMaster> masters;
  HandleIndex<scn::GraphPort> ports;
};

}  // namespace host
