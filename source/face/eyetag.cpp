#include "face/eyetag.h"

#include "scn/api.h"
#include "scn/bitmap.h"

scn::NodeData* TUEyeTag::Alloc() { return scn::NewObjClear<TUEyeTag>("eyetag", __LINE__); }

bool RegisterEyeTag() {
  scn::Bitmap* icon = scn::LoadIconBitmap("eyetag.tif");
  const bool ok = scn::RegisterTagType(1040866, scn::LoadResourceString(11026), 9, TUEyeTag::Alloc, "teye", icon, 0);
  scn::FreeBitmap(icon);
  return ok;
}
