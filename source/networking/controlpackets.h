// The packets without a message that the plug-in sends, as heap records ready for the writer stream.
// Each is null (reported) when out of memory.
#pragma once

#include "networking/mqttpacket.h"

// 20 02 00 00: the answer to a CONNECT.
MqttPacket* NewConnackPacket();
// C0 00
MqttPacket* NewPingReqPacket();
// D0 00: the answer to a PINGREQ.
MqttPacket* NewPingRespPacket();
// E0 00, written at once rather than queued: the writer stream is about to end.
MqttPacket* NewDisconnectPacket();
