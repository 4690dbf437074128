// The bytes that cross the phone link. Writes append at the end; reads take bytes at the cursor and move it.
// Byte orders differ by type: a UInt16 (and so a String's count) is big-endian both ways, while the phone
// sends UInt32 and floats little-endian. Nothing the plug-in sends carries a 32-bit value, so there are no
// writers for them.
#pragma once

#include <cstdint>

#include "scn/types.h"

class BitStream {
 public:
  BitStream() = default;
  ~BitStream();
  // A copy that cannot get its memory is left empty; the failure is reported.
  BitStream(const BitStream& other);
  BitStream& operator=(const BitStream& other);
  BitStream(BitStream&& other) noexcept;
  BitStream& operator=(BitStream&& other) noexcept;

  // Writes return false, with nothing appended, when the bytes cannot grow (reported as out of memory).
  scn::Bool WriteUInt8(std::uint8_t value);
  scn::Bool WriteBool(scn::Bool value);
  scn::Bool WriteUInt16(std::uint16_t value);
  // The count is a UInt16: longer text is refused.
  scn::Bool WriteString(const scn::String& text);
  scn::Bool AppendBytes(const void* bytes, scn::Int64 count);
  scn::Bool Append(const BitStream& other);
  // Makes room for count more bytes, so that writes of up to that many cannot fail.
  scn::Bool Reserve(scn::Int64 count);

  // Reads return false, and leave the cursor where it was, when fewer bytes remain than the field needs.
  scn::Bool ReadUInt8(std::uint8_t& value);
  scn::Bool ReadBool(scn::Bool& value);
  scn::Bool ReadUInt16(std::uint16_t& value);
  scn::Bool ReadUInt32(scn::UInt32& value);
  scn::Bool ReadFloat32(scn::Float32& value);
  scn::Bool ReadFloat64(scn::Float64& value);
  scn::Bool ReadString(scn::String& value);
  // Appends the next count bytes to destination.
  scn::Bool ReadInto(BitStream& destination, scn::Int64 count);

  scn::Int64 GetLength() const { return count_; }
  scn::Int64 GetReadPosition() const { return cursor_; }
  // False, with the cursor unchanged, for a position outside 0 to the length.
  scn::Bool SetReadPosition(scn::Int64 position);
  scn::Bool HasMore() const { return cursor_ < count_; }
  scn::Int64 GetRemaining() const { return count_ - cursor_; }
  // Forgets the bytes but keeps the memory for the next ones.
  void Clear();
  // Forgets the bytes and gives their memory back.
  void ReleaseMemory() { Release(); }
  // Null while nothing was ever written.
  const std::uint8_t* GetData() const { return data_; }

 private:
  // Reads need count bytes at the cursor; false when they are not there.
  scn::Bool Has(scn::Int64 count) const { return count >= 0 && count_ - cursor_ >= count; }
  // Little-endian value of the next count bytes; the caller checked Has(count).
  std::uint64_t TakeLittleEndian(int count);
  void Release();

  std::uint8_t* data_ = nullptr;
  scn::Int64 count_ = 0;
  scn::Int64 capacity_ = 0;
  scn::Int64 cursor_ = 0;
};
