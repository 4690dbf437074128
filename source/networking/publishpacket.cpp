#include "networking/publishpacket.h"

#include <cstdint>

#include "networking/message.h"
#include "scn/api.h"

MqttPacket* NewPublishPacket(PublishMessage& message) {
  MqttPacket* packet = NewMqttPacket(kMqttPublish);
  if (!packet) return nullptr;
  const scn::Bool built = packet->header.WriteString(kPublishTopic) &&
                          packet->payload.WriteUInt16(static_cast<std::uint16_t>(message.GetKind())) &&
                          message.Serialize(true, packet->payload);
  if (built) return packet;
  scn::DiagnosticOutput(scn::String("PUBLISH: could not write the body of ") + message.GetName());
  FreeMqttPacket(packet);
  return nullptr;
}

scn::Bool ReadPublishHead(BitStream& payload, PublishHead& head) {
  const scn::Int64 start = payload.GetReadPosition();
  scn::String topic;
  scn::UInt32 kind = 0;
  if (payload.ReadString(topic) && !topic.empty() && payload.ReadUInt32(kind)) {
    head.topic = std::move(topic);
    head.kind = kind;
    return true;
  }
  payload.SetReadPosition(start);
  return false;
}
