// Writes a canvas as PNG, TIFF or JPEG.
#pragma once

#include <filesystem>
#include <string>

#include "canvas.h"

namespace icons {

// Each returns false and sets `error` when the file cannot be written.
bool WritePng(const Canvas& canvas, const std::filesystem::path& path, std::string* error);
bool WriteTiff(const Canvas& canvas, const std::filesystem::path& path, std::string* error);
bool WriteJpeg(const Canvas& canvas, const std::filesystem::path& path, int quality, std::string* error);

}  // namespace icons
