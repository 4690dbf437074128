// Bitmaps.
#pragma once

#include "scn/tables_bitmap.h"

namespace scn {

Bitmap* AllocateBitmap();
void FreeBitmap(Bitmap*& b);
Int32 LoadBitmapFile(Bitmap* b, const Filename& name, Int32 frame = -1);
Int32 GetBitmapWidth(const Bitmap* b);
Int32 GetBitmapHeight(const Bitmap* b);
void GetBitmapPixel(const Bitmap* b, Int32 x, Int32 y, Int32* r, Int32* g, Int32* bl);
Bitmap* CloneBitmap(const Bitmap* b);
Bool GetBitmapPixelFloat(const Bitmap* b, Int32 x, Int32 y, Float32* rgb);
Bool CopyBitmapInto(const Bitmap* src, Bitmap* dest);
Bool ConvertBitmapTo24Bits(Bitmap* b);
Vector ConvertColor(const Vector& rgb, Int32 mode);

}  // namespace scn
