#include "networking/controlpackets.h"

MqttPacket* NewConnackPacket() {
  MqttPacket* packet = NewMqttPacket(kMqttConnack);
  if (!packet) return nullptr;
  // Flags 0, return code 0: session accepted.
  if (!packet->header.WriteUInt16(0)) FreeMqttPacket(packet);
  return packet;
}

MqttPacket* NewPingReqPacket() {
  return NewMqttPacket(kMqttPingReq);
}

MqttPacket* NewPingRespPacket() {
  return NewMqttPacket(kMqttPingResp);
}

MqttPacket* NewDisconnectPacket() {
  MqttPacket* packet = NewMqttPacket(kMqttDisconnect);
  if (packet) packet->sendNow = true;
  return packet;
}
