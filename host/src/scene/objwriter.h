// Polygon objects as Wavefront OBJ text, to look at what plug-ins built and to compare meshes in tests.
#pragma once

#include <string>

#include "scn/handles.h"

namespace host {

// "o" with the name, "v" per point (through the local matrix when transformed), "vt" per polygon corner
// from the first UVW tag when it holds an entry for every polygon, "f" per polygon with 1-based indices
// (three corners when c == d). Empty for a node that is no polygon object.
std::string WriteObj(const scn::SceneNode& object, bool transformed);

}  // namespace host
