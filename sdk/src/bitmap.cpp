#include "scn/bitmap.h"

#include "scn/api.h"

namespace scn {
namespace {
const BitmapTable& Bitmaps() { return *GetHostTables()->bitmap; }
}  // namespace

Bitmap* AllocateBitmap() { return Bitmaps().AllocateBitmap(); }
void FreeBitmap(Bitmap*& b) {
  if (!b) return;
  Bitmaps().FreeBitmap(b);
  b = nullptr;
}
Int32 LoadBitmapFile(Bitmap* b, const Filename& name, Int32 frame) {
  return b ? Bitmaps().LoadBitmapFile(b, name, frame) : kImageNoMemory;
}
Int32 GetBitmapWidth(const Bitmap* b) { return b ? Bitmaps().GetWidth(b) : 0; }
Int32 GetBitmapHeight(const Bitmap* b) { return b ? Bitmaps().GetHeight(b) : 0; }
void GetBitmapPixel(const Bitmap* b, Int32 x, Int32 y, Int32* r, Int32* g, Int32* bl) {
  *r = *g = *bl = 0;
  if (b) Bitmaps().GetPixel(b, x, y, r, g, bl);
}
Bitmap* CloneBitmap(const Bitmap* b) { return b ? Bitmaps().CloneBitmap(b) : nullptr; }
Bool GetBitmapPixelFloat(const Bitmap* b, Int32 x, Int32 y, Float32* rgb) {
  return b && rgb && Bitmaps().GetPixelFloat(b, x, y, rgb);
}
Bool CopyBitmapInto(const Bitmap* src, Bitmap* dest) { return src && dest && Bitmaps().CopyInto(src, dest); }
Bool ConvertBitmapTo24Bits(Bitmap* b) { return b && Bitmaps().ConvertTo24Bits(b); }
Vector ConvertColor(const Vector& rgb, Int32 mode) { return Bitmaps().ConvertColor(rgb, mode); }

}  // namespace scn
