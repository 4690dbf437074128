// The contents of a capture's "settings.txt" (token text, versions 1 and 2).
#pragma once

#include "scn/api.h"

struct CaptureSettings {
  CaptureSettings() { Reset(); }

  // The defaults of a capture without settings.
  void Reset();
  // Reads the settings file; fields the file's version has not are left as they were, and so are the
  // ones after a failed token (callers reset first). False when the file cannot be opened or read. A
  // frame rate that is not a positive number and a negative frame count read as their defaults (logged).
  bool Read(const scn::Filename& name);

  scn::Float64 fps = 30.0;
  scn::Bool hasImages = true;  // without images a face capture shows one fixed image
  scn::Int32 frameCount = 0;
  scn::String text;
  scn::Int32 value = 1;  // settings version 2; a stored 0 reads as 1
};
