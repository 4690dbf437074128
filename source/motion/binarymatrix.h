// The 64-byte matrix of the body capture files: x axis, y axis, z axis and translation, four Float32
// each, in the phone's right-handed axes with the translation in metres.
#pragma once

#include <vector>

#include "scn/api.h"

inline constexpr scn::Int64 kBinaryMatrixBytes = 64;

// One matrix turned into the host's left-handed axes (x mirrored) with the offset in centimetres;
// out is set only when all 16 values were read.
bool ReadBinaryMatrix(scn::HostFile* file, scn::Matrix& out);

// Appends count matrices to list as they are read, so a count the file does not hold costs nothing;
// the ones read before a failure stay.
bool ReadBinaryMatrices(scn::HostFile* file, scn::Int32 count, std::vector<scn::Matrix>& list);

// An Int32 count that is not negative.
bool ReadCount(scn::HostFile* file, scn::Int32& count);
// The same for entries of at least minBytes each, refused when the whole file could not hold them.
bool ReadCountWithin(scn::HostFile* file, scn::Int64 minBytes, scn::Int32& count);
