// PUBLISH packets of the link. The plug-in sends topic "AR", the kind as a UInt16 big-endian and the
// body; the phone sends any non-empty topic and the kind as a UInt32 little-endian: 4 bytes, not 2.
#pragma once

#include "networking/bitstream.h"
#include "networking/mqttpacket.h"
#include "scn/types.h"

class PublishMessage;

inline constexpr char kPublishTopic[] = "AR";

// The message as a heap packet ready for the writer stream. Null when out of memory (reported) or when
// the body cannot be written.
MqttPacket* NewPublishPacket(PublishMessage& message);

struct PublishHead {
  scn::String topic;
  scn::UInt32 kind = 0;
};

// Reads a received PUBLISH's topic and kind and leaves the cursor on the body. False, with the cursor
// where it was, for an empty topic or when the bytes end early.
scn::Bool ReadPublishHead(BitStream& payload, PublishHead& head);
