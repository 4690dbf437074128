#include "motion/binarymatrix.h"

#include <array>
#include <new>

namespace {

using FloatAxis = std::array<scn::Float32, 3>;

// Three values of one group; its fourth is read and dropped.
bool ReadGroup(scn::HostFile* file, FloatAxis& axis) {
  for (scn::Float32& v : axis)
    if (!scn::ReadFileFloat32(file, &v)) return false;
  scn::Float32 dropped = 0.0f;
  return scn::ReadFileFloat32(file, &dropped);
}

scn::Vector Widen(scn::Float32 x, scn::Float32 y, scn::Float32 z) {
  return {x, y, z};
}

}  // namespace

bool ReadBinaryMatrix(scn::HostFile* file, scn::Matrix& out) {
  FloatAxis x{}, y{}, z{}, t{};
  if (!ReadGroup(file, x) || !ReadGroup(file, y) || !ReadGroup(file, z) || !ReadGroup(file, t)) return false;
  for (scn::Float32& v : t) v *= 100.0f;
  // Mirroring x on both sides (S x M x S) negates what mixes x with y or z; kept in Float32 so the
  // values match the phone's own.
  out.off = Widen(-t[0], t[1], t[2]);
  out.v1 = Widen(x[0], -x[1], -x[2]);
  out.v2 = Widen(-y[0], y[1], y[2]);
  out.v3 = Widen(-z[0], z[1], z[2]);
  return true;
}

bool ReadCount(scn::HostFile* file, scn::Int32& count) {
  scn::Int32 n = 0;
  if (!scn::ReadFileInt32(file, &n) || n < 0) return false;
  count = n;
  return true;
}

bool ReadCountWithin(scn::HostFile* file, scn::Int64 minBytes, scn::Int32& count) {
  scn::Int32 n = 0;
  if (!ReadCount(file, n) || n > scn::GetFileSize(file) / minBytes) return false;
  count = n;
  return true;
}

bool ReadBinaryMatrices(scn::HostFile* file, scn::Int32 count, std::vector<scn::Matrix>& list) {
  try {
    for (scn::Int32 i = 0; i < count; ++i) {
      scn::Matrix m;
      if (!ReadBinaryMatrix(file, m)) return false;
      list.push_back(m);
    }
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  return true;
}
