// Image services.
#pragma once

#include "scn/filename.h"
#include "scn/handles.h"
#include "scn/types.h"

namespace scn {

// LoadBitmapFile results.
inline constexpr Int32 kImageOk = 1;
inline constexpr Int32 kImageNoFile = -1;
inline constexpr Int32 kImageWrongType = 0;
inline constexpr Int32 kImageNoMemory = -2;

struct BitmapTable {
  // any thread; an empty bitmap, null when out of memory
  Bitmap* (*AllocateBitmap)();
  // any thread; null is ignored
  void (*FreeBitmap)(Bitmap* b);
  // any thread; JPEG, PNG or TIFF by content; frame -1 is the first; kImageOk on success
  Int32 (*LoadBitmapFile)(Bitmap* b, const Filename& name, Int32 frame);
  // any thread; 0 for an empty bitmap
  Int32 (*GetWidth)(const Bitmap* b);
  Int32 (*GetHeight)(const Bitmap* b);
  // any thread; RGB 0-255 of a pixel; black outside the image
  void (*GetPixel)(const Bitmap* b, Int32 x, Int32 y, Int32* r, Int32* g, Int32* bl);
  // any thread; a copy, null when out of memory
  Bitmap* (*CloneBitmap)(const Bitmap* b);
  // any thread; one pixel as three Float32 0-1 (red, green, blue: format 36, no colour conversion); false,
  // rgb untouched, outside the image
  Bool (*GetPixelFloat)(const Bitmap* b, Int32 x, Int32 y, Float32* rgb);
  // any thread; dest becomes a copy of src; false for a null or empty src or out of memory
  Bool (*CopyInto)(const Bitmap* src, Bitmap* dest);
  // any thread; drops an alpha channel so the bitmap has 24 bits a pixel; false for an empty bitmap
  Bool (*ConvertTo24Bits)(Bitmap* b);
  // any thread; a render colour from a texture colour: mode 0 as it is, mode 2 from sRGB to linear
  Vector (*ConvertColor)(const Vector& rgb, Int32 mode);
};

}  // namespace scn
