// One run of a node graph, as the document's evaluation runs it: nodes in connection order; an object
// node writes its connected inputs into its linked node, then reads its outputs from it; a range mapper
// maps its input linearly from the input range onto the output range, clamped to the output range. A node
// without a value at an input (unconnected, an unlinked or missing object upstream) passes none on.
#pragma once

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

void RunGraph(scn::SceneNode& graphTag);
// The range mapper's formula; an empty input range maps below its low end to the output's low end and
// the rest to its high end.
scn::Float64 MapRange(scn::Float64 value, scn::Float64 inLow, scn::Float64 inHigh, scn::Float64 outLow,
                      scn::Float64 outHigh);

}  // namespace host
