// The text a playback writes beside each frame's mesh: the weights and matrices the face capture object
// holds after evaluating that frame.
#pragma once

#include <string>

#include "scn/handles.h"

namespace host::app {

// One "id value name" line per blendshape weight (the name as the host shows the parameter), then labelled
// matrix lines of twelve numbers (offset, then the x, y and z axes): the object's face, camera, offset and
// eye matrices and the target's local matrix. Numbers read back exactly.
std::string FrameReport(scn::SceneNode* capture, const scn::SceneNode* target);

}  // namespace host::app
