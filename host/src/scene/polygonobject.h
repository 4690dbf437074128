// Polygon objects' points and polygons, and UVW tags' entries.
#pragma once

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

// Keeps the existing points and polygons, new ones are zero; false (unchanged) for negative counts or
// when memory runs out.
bool ResizePolygonObject(scn::SceneNode& object, scn::Int32 pointCount, scn::Int32 polygonCount);
// Keeps the existing entries, new ones are zero; false as above.
bool ResizeUVW(scn::SceneNode& tag, scn::Int32 count);

}  // namespace host
