// Typed values of host files in the file's byte order (Intel: little-endian, Motorola: big-endian).
#pragma once

#include "files/hostfile.h"

namespace host {

bool ReadInt32(scn::HostFile& f, scn::Int32* v);
bool WriteInt32(scn::HostFile& f, scn::Int32 v);
bool ReadFloat32(scn::HostFile& f, scn::Float32* v);
bool WriteFloat32(scn::HostFile& f, scn::Float32 v);
bool ReadFloat64(scn::HostFile& f, scn::Float64* v);
bool WriteFloat64(scn::HostFile& f, scn::Float64 v);
// Int32 byte count, then the bytes. A count below 0 or beyond the rest of the file fails before
// anything is allocated for it.
bool ReadString(scn::HostFile& f, scn::String* v);
bool WriteString(scn::HostFile& f, const scn::String& v);

}  // namespace host
