// Bitmaps and image loading.
#pragma once

#include <cstddef>
#include <filesystem>

#include "scn/tables_bitmap.h"

namespace host {

class BitmapService {
 public:
  static void FillTable(scn::BitmapTable& table);

  // Host-side helpers; any thread; null-safe.
  // An empty bitmap the host owns until Free; null when out of memory.
  static scn::Bitmap* Allocate();
  // A copy; null for null or when out of memory.
  static scn::Bitmap* Clone(const scn::Bitmap* b);
  // A bitmap that this service did not hand out (or one already freed) is reported, not freed.
  static void Free(scn::Bitmap* b);
  // A new bitmap with the file's first image; null when it cannot be loaded.
  static scn::Bitmap* LoadFile(const std::filesystem::path& path);
  // One of kImageOk, kImageNoFile, kImageWrongType, kImageNoMemory; on failure b keeps its former image.
  static scn::Int32 Load(scn::Bitmap& b, const std::filesystem::path& path, scn::Int32 frame);
  // False for null, an empty bitmap or a file that cannot be written.
  static bool SavePng(const scn::Bitmap* b, const std::filesystem::path& path);
  // Bitmaps handed out and not yet freed, for leak checks.
  static std::size_t LiveCount();
};

}  // namespace host
