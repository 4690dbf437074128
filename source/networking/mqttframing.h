// MQTT 3.1.1 fixed headers: the type byte and the remaining-length field. Decoding takes bytes and gives a
// verdict; it reads nothing, allocates nothing and trusts no length until the bytes are there.
#pragma once

#include <cstdint>

#include "networking/bitstream.h"
#include "scn/types.h"

// The largest remaining length four length bytes can carry.
inline constexpr scn::Int64 kMaxRemainingLength = 268435455;
inline constexpr int kMaxRemainingLengthBytes = 4;

enum class FrameVerdict { kComplete, kNeedsMore, kMalformed };

// A fixed header found in received bytes. The packet's body follows at BodyOffset.
struct FrameHeader {
  scn::UInt32 type = 0;    // high nibble of the type byte: 0x10 to 0xE0
  scn::UInt32 flags = 0;   // low nibble, ignored by the link
  scn::Int64 skipped = 0;  // bytes before the type byte that can start no packet
  scn::Int64 lengthBytes = 0;
  scn::Int64 remainingLength = 0;

  scn::Int64 BodyOffset() const { return skipped + 1 + lengthBytes; }
  scn::Int64 End() const { return BodyOffset() + remainingLength; }
};

// A byte starts a packet when its high nibble is 1 to 14; the low nibble does not matter.
inline scn::Bool IsValidPacketType(std::uint8_t byte) {
  const unsigned type = byte & 0xF0u;
  return type >= 0x10 && type <= 0xE0;
}

// Seven bits a byte, lowest first, bit 7 set while more follow. Sending sets no upper limit.
scn::Bool WriteRemainingLength(BitStream& out, std::uint64_t value);
scn::Int64 RemainingLengthSize(std::uint64_t value);

// Decodes the length field at bytes. A fifth length byte, or a value above maxValue, is malformed.
FrameVerdict DecodeRemainingLength(const std::uint8_t* bytes, scn::Int64 count, scn::Int64& value,
                                   scn::Int64& used, scn::Int64 maxValue = kMaxRemainingLength);

// Finds the next fixed header, skipping bytes that start no packet (header.skipped says how many, also
// when more bytes are needed). Complete once the type and length bytes are there; the body may not be.
FrameVerdict DecodeFrameHeader(const std::uint8_t* bytes, scn::Int64 count, FrameHeader& header,
                               scn::Int64 maxRemainingLength = kMaxRemainingLength);

// As DecodeFrameHeader, but complete only once the whole body is there too.
FrameVerdict DecodeFrame(const std::uint8_t* bytes, scn::Int64 count, FrameHeader& header,
                         scn::Int64 maxRemainingLength = kMaxRemainingLength);
