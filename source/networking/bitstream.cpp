#include "networking/bitstream.h"

#include <bit>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "scn/api.h"

namespace {

constexpr scn::Int64 kMinimumCapacity = 64;
constexpr scn::Int64 kMaximumStringBytes = 0xFFFF;

}  // namespace

BitStream::~BitStream() {
  Release();
}

BitStream::BitStream(const BitStream& other) {
  if (!AppendBytes(other.data_, other.count_)) return;
  cursor_ = other.cursor_;
}

BitStream& BitStream::operator=(const BitStream& other) {
  if (this == &other) return *this;
  Clear();
  if (AppendBytes(other.data_, other.count_)) cursor_ = other.cursor_;
  return *this;
}

BitStream::BitStream(BitStream&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      cursor_(std::exchange(other.cursor_, 0)) {}

BitStream& BitStream::operator=(BitStream&& other) noexcept {
  if (this == &other) return *this;
  Release();
  data_ = std::exchange(other.data_, nullptr);
  count_ = std::exchange(other.count_, 0);
  capacity_ = std::exchange(other.capacity_, 0);
  cursor_ = std::exchange(other.cursor_, 0);
  return *this;
}

void BitStream::Release() {
  // Streams that never held a byte need no host, so they can live before and after it.
  if (data_) scn::MemFree(data_);
  data_ = nullptr;
  count_ = capacity_ = cursor_ = 0;
}

scn::Bool BitStream::Reserve(scn::Int64 count) {
  if (count < 0) return false;
  if (capacity_ - count_ >= count) return true;
  if (count > std::numeric_limits<scn::Int64>::max() / 2 - count_) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  // Doubling keeps appends of a large download linear.
  scn::Int64 capacity = capacity_ < kMinimumCapacity ? kMinimumCapacity : capacity_ * 2;
  if (capacity < count_ + count) capacity = count_ + count;
  auto* grown = static_cast<std::uint8_t*>(
      scn::MemAlloc(static_cast<std::size_t>(capacity), "bitstream", __LINE__, false));
  if (!grown) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  if (count_ > 0) std::memcpy(grown, data_, static_cast<std::size_t>(count_));
  scn::MemFree(data_);
  data_ = grown;
  capacity_ = capacity;
  return true;
}

scn::Bool BitStream::AppendBytes(const void* bytes, scn::Int64 count) {
  if (count == 0) return true;
  if (!bytes || !Reserve(count)) return false;
  std::memmove(data_ + count_, bytes, static_cast<std::size_t>(count));
  count_ += count;
  return true;
}

scn::Bool BitStream::Append(const BitStream& other) {
  const scn::Int64 count = other.count_;
  if (!Reserve(count)) return false;
  // Reserve may have moved other's bytes when other is this stream.
  return AppendBytes(other.data_, count);
}

scn::Bool BitStream::WriteUInt8(std::uint8_t value) {
  return AppendBytes(&value, 1);
}

scn::Bool BitStream::WriteBool(scn::Bool value) {
  return WriteUInt8(value ? 1 : 0);
}

scn::Bool BitStream::WriteUInt16(std::uint16_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value & 0xFF)};
  return AppendBytes(bytes, 2);
}

scn::Bool BitStream::WriteString(const scn::String& text) {
  const auto count = static_cast<scn::Int64>(text.size());
  if (count > kMaximumStringBytes) {
    scn::DiagnosticOutput("BitStream: a text of " + std::to_string(count) + " bytes is too long to send");
    return false;
  }
  if (!Reserve(2 + count)) return false;
  WriteUInt16(static_cast<std::uint16_t>(count));
  return AppendBytes(text.data(), count);
}

std::uint64_t BitStream::TakeLittleEndian(int count) {
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value |= static_cast<std::uint64_t>(data_[cursor_ + i]) << (8 * i);
  cursor_ += count;
  return value;
}

scn::Bool BitStream::ReadUInt8(std::uint8_t& value) {
  if (!Has(1)) return false;
  value = data_[cursor_++];
  return true;
}

scn::Bool BitStream::ReadBool(scn::Bool& value) {
  std::uint8_t byte = 0;
  if (!ReadUInt8(byte)) return false;
  value = byte != 0;
  return true;
}

scn::Bool BitStream::ReadUInt16(std::uint16_t& value) {
  if (!Has(2)) return false;
  value = static_cast<std::uint16_t>(data_[cursor_] << 8 | data_[cursor_ + 1]);
  cursor_ += 2;
  return true;
}

scn::Bool BitStream::ReadUInt32(scn::UInt32& value) {
  if (!Has(4)) return false;
  value = static_cast<scn::UInt32>(TakeLittleEndian(4));
  return true;
}

scn::Bool BitStream::ReadFloat32(scn::Float32& value) {
  if (!Has(4)) return false;
  value = std::bit_cast<scn::Float32>(static_cast<std::uint32_t>(TakeLittleEndian(4)));
  return true;
}

scn::Bool BitStream::ReadFloat64(scn::Float64& value) {
  if (!Has(8)) return false;
  value = std::bit_cast<scn::Float64>(TakeLittleEndian(8));
  return true;
}

scn::Bool BitStream::ReadString(scn::String& value) {
  const scn::Int64 start = cursor_;
  std::uint16_t count = 0;
  if (!ReadUInt16(count)) return false;
  if (!Has(count)) {
    cursor_ = start;
    return false;
  }
  try {
    value.assign(reinterpret_cast<const char*>(data_ + cursor_), count);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    cursor_ = start;
    return false;
  }
  cursor_ += count;
  return true;
}

scn::Bool BitStream::ReadInto(BitStream& destination, scn::Int64 count) {
  if (!Has(count)) return false;
  if (!destination.Reserve(count)) return false;
  // Reserve may have moved these bytes when destination is this stream.
  if (!destination.AppendBytes(data_ + cursor_, count)) return false;
  cursor_ += count;
  return true;
}

scn::Bool BitStream::SetReadPosition(scn::Int64 position) {
  if (position < 0 || position > count_) return false;
  cursor_ = position;
  return true;
}

void BitStream::Clear() {
  count_ = cursor_ = 0;
}
