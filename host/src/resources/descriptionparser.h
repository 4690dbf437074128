// The text format of description resources (resource/README.md).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "resources/description.h"

namespace host {

// Resolves a name resource number to its text.
using NameLookup = std::function<std::string(scn::Int32)>;

// Parses one description resource into *out (entries in resource order); false with "line N: why" in
// *error when a line is malformed, an id comes twice or a group is not closed. *out is only written on
// success.
bool ParseDescription(std::string_view text, const NameLookup& names, scn::Description* out,
                      std::string* error);

}  // namespace host
