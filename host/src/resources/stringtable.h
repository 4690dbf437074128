// The text format of the plug-in's string table (resource/README.md).
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "scn/types.h"

namespace host {

using StringTable = std::map<scn::Int32, std::string>;

// Parses the whole table; false with "line N: why" in *error when a line has no number or a number
// comes twice. *out is only written on success.
bool ParseStringTable(std::string_view text, StringTable* out, std::string* error);

}  // namespace host
