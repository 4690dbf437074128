#include "motion/motioncapture.h"

#include "scn/api.h"
#include "scn/bitmap.h"

MotionCaptureObject* GetMotionCaptureObject(scn::SceneNode* node) {
  if (!node || scn::GetNodeType(node) != kMotionCaptureObjectId) return nullptr;
  return static_cast<MotionCaptureObject*>(scn::GetNodeData(node));
}

scn::NodeData* MotionCaptureObject::Alloc() {
  return scn::NewObjClear<MotionCaptureObject>("motioncapture", __LINE__);
}

MotionCaptureObject::~MotionCaptureObject() {
  FreeFrames();
}

void MotionCaptureObject::FreeFrames() {
  for (MotionFrame*& frame : frames) scn::DeleteObj(frame);
  frames.clear();
}

bool RegisterMotionCaptureObject() {
  scn::Bitmap* icon = scn::LoadIconBitmap("bodycapture.tif");
  const bool ok = scn::RegisterObjectType(kMotionCaptureObjectId, scn::LoadResourceString(10002), 0x10004004,
                                          MotionCaptureObject::Alloc, "Omotioncapture", icon, 0);
  scn::FreeBitmap(icon);
  return ok;
}
