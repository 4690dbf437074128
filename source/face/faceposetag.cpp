#include "face/faceposetag.h"

#include "scn/api.h"
#include "scn/bitmap.h"

scn::NodeData* FacePoseTag::Alloc() { return scn::NewObjClear<FacePoseTag>("faceposetag", __LINE__); }

bool RegisterFacePoseTag() {
  scn::Bitmap* icon = scn::LoadIconBitmap("captureobject.tif");
  const bool ok =
      scn::RegisterTagType(1040839, scn::LoadResourceString(11039), 1, FacePoseTag::Alloc, "tfacepose", icon, 0);
  scn::FreeBitmap(icon);
  return ok;
}
