#include "capturesettings.h"

#include "basecapture.h"

void CaptureSettings::Reset() {
  fps = 30.0;
  hasImages = true;
  frameCount = 0;
  text.clear();
  value = 1;
}

bool CaptureSettings::Read(const scn::Filename& name) {
  HostFileHolder file;
  if (!file || !scn::OpenFile(file.get(), name, scn::kFileRead, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                              scn::MakeCode("SCN1")))
    return false;
  scn::HostFile* f = file.get();
  scn::Int32 version = 0;
  if (!ReadTokenInt(f, version)) return false;
  if (version >= 1) {
    if (!ReadTokenFloat(f, fps) || !ReadTokenBool(f, hasImages) || !ReadTokenInt(f, frameCount) ||
        !ReadToken(f, text))
      return false;
  }
  if (version >= 2) {
    if (!ReadTokenInt(f, value)) return false;
    if (value == 0) value = 1;
  }
  scn::CloseFile(f);
  return true;
}
