// Writes a Bitmap as a PNG file (tests and pictures of dialogs).
#pragma once

#include <filesystem>

#include "bitmaps/bitmap.h"

namespace host {

// False for an empty bitmap or when the file cannot be written.
bool EncodePngFile(const scn::Bitmap& bitmap, const std::filesystem::path& path);

}  // namespace host
