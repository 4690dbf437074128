#include "face/facecapture.h"

#include "scn/api.h"
#include "scn/bitmap.h"

scn::NodeData* FaceCaptureObject::Alloc() { return scn::NewObjClear<FaceCaptureObject>("facecapture", __LINE__); }

bool RegisterFaceCaptureObject() {
  scn::Bitmap* icon = scn::LoadIconBitmap("captureobject.tif");
  const bool ok = scn::RegisterObjectType(1040464, scn::LoadResourceString(10001), 0x10004004, FaceCaptureObject::Alloc,
                                          "Ofacecapture", icon, 3);
  scn::FreeBitmap(icon);
  return ok;
}
