// One MQTT control packet on its way out: a heap record in host memory that the writer stream frees once
// it was sent.
#pragma once

#include "networking/bitstream.h"
#include "scn/types.h"

// Control-packet types, already in the high nibble of the type byte.
enum MqttPacketType : scn::UInt32 {
  kMqttConnect = 0x10,
  kMqttConnack = 0x20,
  kMqttPublish = 0x30,
  kMqttPingReq = 0xC0,
  kMqttPingResp = 0xD0,
  kMqttDisconnect = 0xE0,
};

struct MqttPacket {
  scn::UInt32 type = 0;
  scn::UInt32 flags = 0;
  BitStream header;  // the variable header
  BitStream payload;
  // Written at once on the calling thread instead of through the queue.
  scn::Bool sendNow = false;

  // Appends type byte, remaining length, header and payload. False, with out unchanged, when out cannot
  // grow.
  scn::Bool Serialize(BitStream& out) const;
};

// Null (reported) when out of memory.
MqttPacket* NewMqttPacket(scn::UInt32 type);
void FreeMqttPacket(MqttPacket*& packet);
