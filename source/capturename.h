// Names that the phone, a capture.info or a scene record hand us and that we join to a folder.
#pragma once

#include "scn/types.h"

// A name that stands for one entry directly inside a folder: a capture's folder below the captures
// folder, or a file inside a capture folder. Refused: the empty name, names of only dots and blanks
// ("." and "..", and what Windows trims to them), path separators, the drive and stream colon, and
// control characters.
bool IsSafeCaptureName(const scn::String& name);

// The name as a log line can show it: bytes outside printable ASCII as \xNN.
scn::String PrintableName(const scn::String& name);
