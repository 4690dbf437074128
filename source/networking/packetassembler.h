// Cuts the bytes a connection delivers, in whatever pieces they come, into whole MQTT packets. It takes
// bytes and gives events; it reads nothing itself. A packet once begun is continued with the next bytes and
// never re-read from its middle; every packet, served by the link or not, is consumed whole.
#pragma once

#include <cstdint>

#include "networking/bitstream.h"
#include "networking/mqttframing.h"
#include "scn/types.h"

class PacketAssembler {
 public:
  enum class Event {
    kNone,         // the bytes were taken; more are needed
    kPacket,       // a whole packet is in: Header(), and for a PUBLISH its Body()
    kProgress,     // another full unit of a PUBLISH body is in and more of it follows: BodyReceived()
    kMalformed,    // a length field no MQTT peer writes: the framing is lost until Reset
    kOutOfMemory,  // the PUBLISH body could not grow (reported); lost as well until Reset
  };

  // A PUBLISH body reports progress each time another progressUnit of its bytes is in.
  explicit PacketAssembler(scn::Int64 progressUnit = 4096) : unit_(progressUnit > 0 ? progressUnit : 1) {}

  // Forgets any packet in progress and gives the body's memory back.
  void Reset(scn::Int64 progressUnit);

  // Takes bytes up to the next event and sets it; returns how many it took, at least one when count > 0.
  scn::Int64 Take(const std::uint8_t* bytes, scn::Int64 count, Event& event);

  // The packet in progress or just completed.
  const FrameHeader& Header() const { return header_; }
  // The PUBLISH body so far; other packets keep none.
  BitStream& Body() { return body_; }
  scn::Int64 BodyReceived() const { return got_; }
  // Whether a packet has begun and not ended.
  scn::Bool InPacket() const { return inBody_ || headCount_ > 0; }

  // After kPacket: forgets the body; a large one gives its memory back.
  void FinishPacket();

 private:
  scn::Int64 TakeHeader(const std::uint8_t* bytes, scn::Int64 count, Event& event);
  scn::Int64 TakeBody(const std::uint8_t* bytes, scn::Int64 count, Event& event);
  scn::Bool KeepsBody() const;

  scn::Int64 unit_ = 4096;
  // Set once the framing is lost: the event every later Take gives.
  Event lost_ = Event::kNone;
  // The type byte and length bytes of a header that is not complete yet.
  std::uint8_t head_[1 + kMaxRemainingLengthBytes] = {};
  scn::Int64 headCount_ = 0;
  FrameHeader header_;
  scn::Bool inBody_ = false;
  scn::Int64 got_ = 0;
  BitStream body_;
};
