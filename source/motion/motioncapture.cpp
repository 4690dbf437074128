#include "motion/motioncapture.h"

#include "scn/api.h"
#include "scn/bitmap.h"

scn::NodeData* MotionCaptureObject::Alloc() {
  return scn::NewObjClear<MotionCaptureObject>("motioncapture", __LINE__);
}

bool RegisterMotionCaptureObject() {
  scn::Bitmap* icon = scn::LoadIconBitmap("bodycapture.tif");
  const bool ok = scn::RegisterObjectType(1053360, scn::LoadResourceString(10002), 0x10004004,
                                          MotionCaptureObject::Alloc, "Omotioncapture", icon, 0);
  scn::FreeBitmap(icon);
  return ok;
}
