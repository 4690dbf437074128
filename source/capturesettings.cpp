#include "capturesettings.h"

#include <cmath>
#include <string>

#include "basecapture.h"

namespace {

// A rate or count that makes no sense would play nothing or divide by it: it reads as not given.
void DropSenselessValues(CaptureSettings& settings, const scn::Filename& name) {
  const CaptureSettings defaults;
  if (!std::isfinite(settings.fps) || settings.fps <= 0.0) {
    scn::DiagnosticOutput("settings.txt: " + name.GetString() + ": the frame rate " +
                          std::to_string(settings.fps) + " is no rate; using " +
                          std::to_string(defaults.fps));
    settings.fps = defaults.fps;
  }
  if (settings.frameCount < 0) {
    scn::DiagnosticOutput("settings.txt: " + name.GetString() + ": the frame count " +
                          std::to_string(settings.frameCount) + " is negative; taken as not given");
    settings.frameCount = defaults.frameCount;
  }
}

}  // namespace

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
    DropSenselessValues(*this, name);
  }
  if (version >= 2) {
    if (!ReadTokenInt(f, value)) return false;
    if (value == 0) value = 1;
  }
  scn::CloseFile(f);
  return true;
}
