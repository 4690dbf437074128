#include "networking/mqttframing.h"

scn::Int64 RemainingLengthSize(std::uint64_t value) {
  scn::Int64 size = 1;
  while (value >>= 7) ++size;
  return size;
}

scn::Bool WriteRemainingLength(BitStream& out, std::uint64_t value) {
  std::uint8_t digits[10];
  int count = 0;
  do {
    std::uint8_t digit = value & 127;
    value >>= 7;
    if (value > 0) digit |= 128;
    digits[count++] = digit;
  } while (value > 0);
  return out.AppendBytes(digits, count);
}

FrameVerdict DecodeRemainingLength(const std::uint8_t* bytes, scn::Int64 count, scn::Int64& value,
                                   scn::Int64& used, scn::Int64 maxValue) {
  scn::Int64 decoded = 0;
  for (int i = 0; i < kMaxRemainingLengthBytes; ++i) {
    if (i >= count) return FrameVerdict::kNeedsMore;
    decoded |= static_cast<scn::Int64>(bytes[i] & 127) << (7 * i);
    if (bytes[i] & 128) continue;
    if (decoded > maxValue) return FrameVerdict::kMalformed;
    value = decoded;
    used = i + 1;
    return FrameVerdict::kComplete;
  }
  // Four bytes that all ask for a fifth.
  return FrameVerdict::kMalformed;
}

FrameVerdict DecodeFrameHeader(const std::uint8_t* bytes, scn::Int64 count, FrameHeader& header,
                               scn::Int64 maxRemainingLength) {
  scn::Int64 start = 0;
  while (start < count && !IsValidPacketType(bytes[start])) ++start;
  header.skipped = start;
  if (start == count) return FrameVerdict::kNeedsMore;
  scn::Int64 value = 0, used = 0;
  const FrameVerdict verdict =
      DecodeRemainingLength(bytes + start + 1, count - start - 1, value, used, maxRemainingLength);
  if (verdict != FrameVerdict::kComplete) return verdict;
  header.type = bytes[start] & 0xF0u;
  header.flags = bytes[start] & 0x0Fu;
  header.lengthBytes = used;
  header.remainingLength = value;
  return FrameVerdict::kComplete;
}

FrameVerdict DecodeFrame(const std::uint8_t* bytes, scn::Int64 count, FrameHeader& header,
                         scn::Int64 maxRemainingLength) {
  const FrameVerdict verdict = DecodeFrameHeader(bytes, count, header, maxRemainingLength);
  if (verdict != FrameVerdict::kComplete) return verdict;
  return header.End() <= count ? FrameVerdict::kComplete : FrameVerdict::kNeedsMore;
}
