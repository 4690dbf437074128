#include "networking/mqttpacket.h"

#include "networking/mqttframing.h"
#include "scn/api.h"

scn::Bool MqttPacket::Serialize(BitStream& out) const {
  const auto remaining = static_cast<std::uint64_t>(header.GetLength() + payload.GetLength());
  // Room for everything first, so that a failure leaves no partial packet behind.
  if (!out.Reserve(1 + RemainingLengthSize(remaining) + static_cast<scn::Int64>(remaining))) return false;
  out.WriteUInt8(static_cast<std::uint8_t>(type | flags));
  WriteRemainingLength(out, remaining);
  out.Append(header);
  return out.Append(payload);
}

MqttPacket* NewMqttPacket(scn::UInt32 type) {
  auto* packet = scn::NewObj<MqttPacket>("mqttpacket", __LINE__);
  if (!packet) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return nullptr;
  }
  packet->type = type;
  return packet;
}

void FreeMqttPacket(MqttPacket*& packet) {
  scn::DeleteObj(packet);
}
