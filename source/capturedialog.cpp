#include "capturedialog.h"

#include "scn/api.h"
#include "scn/bitmap.h"

scn::Bool ConnectionSCNMessage::HandleMessage(scn::Int32, void*) { return true; }

bool RegisterCaptureDialog() {
  auto* message = scn::NewObjClear<ConnectionSCNMessage>("capturedialog", __LINE__);
  if (!message) return false;
  if (!scn::RegisterMessagePlugin(1040676, "ConnectionMessage", 0, message)) return false;
  auto* command = scn::NewObjClear<ConnectionView>("capturedialog", __LINE__);
  if (!command) return false;
  scn::Bitmap* icon = scn::LoadIconBitmap("tuardialog.tif");
  const bool ok = scn::RegisterCommandType(1040642, scn::LoadResourceString(10003), 0, icon, "", command);
  scn::FreeBitmap(icon);
  return ok;
}
