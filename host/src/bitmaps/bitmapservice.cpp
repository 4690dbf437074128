#include "bitmaps/bitmapservice.h"

namespace host {

void BitmapService::FillTable(scn::BitmapTable&) {}
scn::Bitmap* BitmapService::Clone(const scn::Bitmap*) { return nullptr; }
void BitmapService::Free(scn::Bitmap*) {}

}  // namespace host
