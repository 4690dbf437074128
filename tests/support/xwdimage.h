// Reads the X window dump files that xwd writes, as RGB pixels.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "bitmaps/bitmap.h"

// Only true- and direct-colour dumps in Z format of 24 or 32 bits a pixel, as an X server of depth 24 writes
// them. Nothing, with the reason in *error, for any other file.
std::optional<scn::Bitmap> ReadXwd(const std::filesystem::path& file, std::string* error);
