#include "files/typedfileio.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>

namespace host {
namespace {

template <typename U>
U FromBytes(const unsigned char* b, scn::ByteOrder order) {
  U v = 0;
  for (std::size_t i = 0; i < sizeof(U); ++i) {
    const std::size_t at = order == scn::kByteOrderIntel ? sizeof(U) - 1 - i : i;
    v = static_cast<U>((v << 8) | b[at]);
  }
  return v;
}

template <typename U>
void ToBytes(U v, unsigned char* b, scn::ByteOrder order) {
  for (std::size_t i = 0; i < sizeof(U); ++i) {
    const std::size_t at = order == scn::kByteOrderIntel ? i : sizeof(U) - 1 - i;
    b[at] = static_cast<unsigned char>(v >> (8 * i));
  }
}

template <typename U>
bool ReadUnsigned(scn::HostFile& f, U* v) {
  unsigned char b[sizeof(U)];
  if (!ReadBytes(f, b, sizeof b)) return false;
  *v = FromBytes<U>(b, f.order);
  return true;
}

template <typename U>
bool WriteUnsigned(scn::HostFile& f, U v) {
  unsigned char b[sizeof(U)];
  ToBytes(v, b, f.order);
  return WriteBytes(f, b, sizeof b);
}

template <typename T, typename U>
bool ReadAs(scn::HostFile& f, T* v) {
  U u;
  if (!ReadUnsigned(f, &u)) return false;
  *v = std::bit_cast<T>(u);
  return true;
}

}  // namespace

bool ReadInt32(scn::HostFile& f, scn::Int32* v) { return ReadAs<scn::Int32, std::uint32_t>(f, v); }
bool WriteInt32(scn::HostFile& f, scn::Int32 v) { return WriteUnsigned(f, std::bit_cast<std::uint32_t>(v)); }
bool ReadFloat32(scn::HostFile& f, scn::Float32* v) { return ReadAs<scn::Float32, std::uint32_t>(f, v); }
bool WriteFloat32(scn::HostFile& f, scn::Float32 v) { return WriteUnsigned(f, std::bit_cast<std::uint32_t>(v)); }
bool ReadFloat64(scn::HostFile& f, scn::Float64* v) { return ReadAs<scn::Float64, std::uint64_t>(f, v); }
bool WriteFloat64(scn::HostFile& f, scn::Float64 v) { return WriteUnsigned(f, std::bit_cast<std::uint64_t>(v)); }

bool ReadString(scn::HostFile& f, scn::String* v) {
  scn::Int32 count = 0;
  if (!ReadInt32(f, &count)) return false;
  if (count < 0 || count > Remaining(f)) {
    Fail(f, kFileBadData);
    return false;
  }
  scn::String text;
  try {
    text.resize(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    Fail(f, kFileOutOfMemory);
    return false;
  }
  if (!ReadBytes(f, text.data(), count)) return false;
  *v = std::move(text);
  return true;
}

bool WriteString(scn::HostFile& f, const scn::String& v) {
  if (v.size() > static_cast<std::size_t>(std::numeric_limits<scn::Int32>::max())) {
    Fail(f, kFileBadData);
    return false;
  }
  const auto count = static_cast<scn::Int32>(v.size());
  return WriteInt32(f, count) && WriteBytes(f, v.data(), count);
}

}  // namespace host
