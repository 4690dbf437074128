// Tracks at the document time: every track of the document's objects (depth-first) and of their tags
// writes its value into its address. An object's position, rotation and scale tracks change its matrix
// together, so the parts no track animates stay as they were.
#pragma once

#include "scn/handles.h"

namespace host {

class SceneService;

void ApplyTracks(SceneService& scene, scn::Document& doc);

}  // namespace host
