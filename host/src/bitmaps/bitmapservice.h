// Bitmaps and image loading.
#pragma once

#include "scn/tables_bitmap.h"

namespace host {

class BitmapService {
 public:
  static void FillTable(scn::BitmapTable& table);
  // Host-side helpers; null-safe.
  static scn::Bitmap* Clone(const scn::Bitmap* b);
  static void Free(scn::Bitmap* b);
};

}  // namespace host
