#include "networking/packetassembler.h"

#include <algorithm>
#include <cstring>

#include "networking/mqttpacket.h"

namespace {
// Bodies up to this size keep their memory for the next packet; larger ones give it back.
constexpr scn::Int64 kKeptBodyBytes = 64 * 1024;
}  // namespace

void PacketAssembler::Reset(scn::Int64 progressUnit) {
  unit_ = std::max<scn::Int64>(progressUnit, 1);
  lost_ = Event::kNone;
  headCount_ = 0;
  header_ = FrameHeader();
  inBody_ = false;
  got_ = 0;
  body_.ReleaseMemory();
}

void PacketAssembler::FinishPacket() {
  if (body_.GetLength() > kKeptBodyBytes)
    body_.ReleaseMemory();
  else
    body_.Clear();
}

scn::Bool PacketAssembler::KeepsBody() const {
  return header_.type == kMqttPublish;
}

scn::Int64 PacketAssembler::Take(const std::uint8_t* bytes, scn::Int64 count, Event& event) {
  event = Event::kNone;
  if (!bytes || count <= 0) return 0;
  if (lost_ != Event::kNone) {
    // No packet start can be found again in bytes whose framing is lost.
    event = lost_;
    return count;
  }
  return inBody_ ? TakeBody(bytes, count, event) : TakeHeader(bytes, count, event);
}

scn::Int64 PacketAssembler::TakeHeader(const std::uint8_t* bytes, scn::Int64 count, Event& event) {
  const scn::Int64 before = headCount_;
  const scn::Int64 n = std::min<scn::Int64>(count, static_cast<scn::Int64>(sizeof head_) - headCount_);
  std::memcpy(head_ + headCount_, bytes, static_cast<std::size_t>(n));
  headCount_ += n;
  FrameHeader header;
  const FrameVerdict verdict = DecodeFrameHeader(head_, headCount_, header);
  if (verdict == FrameVerdict::kMalformed) {
    event = lost_ = Event::kMalformed;
    return n;
  }
  if (verdict == FrameVerdict::kNeedsMore) {
    // Bytes that start no packet are gone; a begun header waits for the rest of its length.
    headCount_ -= header.skipped;
    std::memmove(head_, head_ + header.skipped, static_cast<std::size_t>(headCount_));
    return n;
  }
  headCount_ = 0;
  header_ = header;
  header_.skipped = 0;
  got_ = 0;
  body_.Clear();
  inBody_ = header.remainingLength > 0;
  if (!inBody_) event = Event::kPacket;
  // What this call's bytes gave to the header; the rest begins the body.
  return header.BodyOffset() - before;
}

scn::Int64 PacketAssembler::TakeBody(const std::uint8_t* bytes, scn::Int64 count, Event& event) {
  const scn::Int64 total = header_.remainingLength;
  scn::Int64 want = total - got_;
  const scn::Bool keep = KeepsBody();
  if (keep) {
    // Stop at the next full unit, so that each unit reports once however the bytes are cut.
    const scn::Int64 nextUnit = (got_ / unit_ + 1) * unit_;
    if (nextUnit < total) want = nextUnit - got_;
  }
  const scn::Int64 n = std::min(count, want);
  if (keep && !body_.AppendBytes(bytes, n)) {
    event = lost_ = Event::kOutOfMemory;
    return n;
  }
  got_ += n;
  if (got_ == total) {
    inBody_ = false;
    event = Event::kPacket;
  } else if (keep && got_ % unit_ == 0) {
    event = Event::kProgress;
  }
  return n;
}
