// Parameter addresses (description id, sub id) of a node read and written as one value, as tracks and graph
// ports use them; the vocabulary of sub ids is scn/tables_animation.h's. Parameters go through the node's
// hooks like the host's attribute manager writes them.
#pragma once

#include <variant>

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

// A number, a whole Vector, or nothing.
using ChannelValue = std::variant<std::monostate, scn::Float64, scn::Vector>;

enum class ChannelKind {
  Number,
  Vector,
  Missing,  // the node holds no value there yet: a number once written
  Other,    // a value of a type no channel carries (text, matrix, link, ...)
};

ChannelKind KindAt(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId);
// Nothing when the address holds no number or Vector.
ChannelValue ReadChannel(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId);
// A number goes into a Float, an Int32 (rounded) or a Bool (true when it rounds to non-zero), or becomes a
// Float where there is no value yet; a Vector into a Vector. Unchanged values are not written again.
// False when the address takes no such value.
bool WriteChannel(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId, const ChannelValue& value);

// True for the addresses of an object's position, rotation and scale.
bool IsMatrixAddress(scn::Int32 id);

}  // namespace host
