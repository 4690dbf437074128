// Packets the plug-in sends, byte for byte; packets round-tripped through the decoder; the head of a
// PUBLISH as the phone sends it.
#include "networking/mqttpacket.h"

#include <gtest/gtest.h>

#include <functional>

#include "networking/controlpackets.h"
#include "networking/localmessages.h"
#include "networking/mqttframing.h"
#include "networking/publishpacket.h"
#include "networking/sessionmessages.h"
#include "wirebytes.h"

namespace {

class MqttPacketTest : public WireTest {
 protected:
  Bytes Serialized(const MqttPacket& packet) {
    BitStream out;
    EXPECT_TRUE(packet.Serialize(out));
    return BytesOf(out);
  }
};

// A message whose body is known here, so the PUBLISH layout around it can be checked.
class FixedBodyMessage : public TaskCompleteMsg {
 public:
  explicit FixedBodyMessage(bool writes = true) : writes_(writes) {}
  scn::Bool Serialize(scn::Bool write, BitStream& stream) override {
    return writes_ && write && stream.WriteString("Smile");
  }

 private:
  bool writes_;
};

TEST_F(MqttPacketTest, PacketsThePlugInSends) {
  struct Case {
    const char* what;
    std::function<MqttPacket*()> make;
    Bytes bytes;
    bool sendNow;
  };
  const Case cases[] = {
      {"CONNACK", NewConnackPacket, {0x20, 0x02, 0x00, 0x00}, false},
      {"PINGREQ", NewPingReqPacket, {0xC0, 0x00}, false},
      {"PINGRESP", NewPingRespPacket, {0xD0, 0x00}, false},
      {"DISCONNECT, written at once", NewDisconnectPacket, {0xE0, 0x00}, true},
      {"PUBLISH of a message without body",
       [] {
         PingMsg ping;
         return NewPublishPacket(ping);
       },
       {0x30, 0x06,            // PUBLISH, 6 bytes follow
        0x00, 0x02, 'A', 'R',  // topic "AR"
        0x00, 0x65},           // kind 101 as UInt16 big-endian
       false},
      {"PUBLISH with a body",
       [] {
         FixedBodyMessage message;
         return NewPublishPacket(message);
       },
       {0x30, 0x0D,                            // PUBLISH, 13 bytes follow
        0x00, 0x02, 'A', 'R',                  // topic
        0x00, 0x06,                            // kind 6
        0x00, 0x05, 'S', 'm', 'i', 'l', 'e'},  // the body
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MqttPacket* packet = c.make();
    ASSERT_NE(packet, nullptr);
    EXPECT_EQ(Hex(Serialized(*packet)), Hex(c.bytes));
    EXPECT_EQ(packet->sendNow, c.sendNow);
    EXPECT_EQ(packet->flags, 0u);
    FreeMqttPacket(packet);
    EXPECT_EQ(packet, nullptr);
  }
}

TEST_F(MqttPacketTest, HeaderAndPayloadFollowTheLength) {
  MqttPacket empty;
  empty.type = kMqttPingReq;
  EXPECT_EQ(Hex(Serialized(empty)), "C0 00") << "no header, no payload: two bytes";

  MqttPacket packet;
  packet.type = kMqttPublish;
  packet.flags = 0x02;
  ASSERT_TRUE(packet.header.WriteUInt16(0xABCD));
  ASSERT_TRUE(packet.payload.WriteUInt8(0x01));
  EXPECT_EQ(Hex(Serialized(packet)), "32 03 AB CD 01") << "type OR flags, header before payload";

  MqttPacket big;
  big.type = kMqttPublish;
  const Bytes body(126, 0x5A);
  ASSERT_TRUE(big.header.WriteUInt16(0));
  ASSERT_TRUE(big.payload.AppendBytes(body.data(), 126));
  const Bytes bytes = Serialized(big);
  ASSERT_EQ(bytes.size(), 131u);
  EXPECT_EQ(Hex(Bytes(bytes.begin(), bytes.begin() + 3)), "30 80 01") << "128 bytes in all";
}

TEST_F(MqttPacketTest, SerializedPacketsDecodeToWhatWasSent) {
  const scn::Int64 sizes[] = {0, 1, 127, 128, 16383, 16384, 2097151, 2097152};
  for (scn::Int64 size : sizes) {
    SCOPED_TRACE(size);
    MqttPacket packet;
    packet.type = kMqttPublish;
    if (size >= 4) {
      ASSERT_TRUE(packet.header.WriteString("AR"));
    }
    for (scn::Int64 i = packet.header.GetLength(); i < size; ++i)
      ASSERT_TRUE(packet.payload.WriteUInt8(static_cast<std::uint8_t>(i)));
    BitStream out;
    ASSERT_TRUE(out.WriteUInt8(0x00));  // a stray byte before the packet
    ASSERT_TRUE(packet.Serialize(out));
    ASSERT_TRUE(out.WriteUInt8(0xC0));  // and the start of the next one after it

    FrameHeader header;
    ASSERT_EQ(DecodeFrame(out.GetData(), out.GetLength(), header), FrameVerdict::kComplete);
    EXPECT_EQ(header.type, kMqttPublish);
    EXPECT_EQ(header.skipped, 1);
    EXPECT_EQ(header.remainingLength, packet.header.GetLength() + packet.payload.GetLength());
    EXPECT_EQ(header.End(), out.GetLength() - 1);
    BitStream body;
    ASSERT_TRUE(out.SetReadPosition(header.BodyOffset()));
    ASSERT_TRUE(out.ReadInto(body, header.remainingLength));
    BitStream sent = packet.header;
    ASSERT_TRUE(sent.Append(packet.payload));
    EXPECT_TRUE(BytesOf(body) == BytesOf(sent));
    EXPECT_EQ(DecodeFrame(out.GetData(), header.End() - 1, header), FrameVerdict::kNeedsMore)
        << "one byte short";
  }
}

TEST_F(MqttPacketTest, AFailedSerializeLeavesTheOutputAsItWas) {
  MqttPacket packet;
  packet.type = kMqttPublish;
  const Bytes body(100, 0x33);
  ASSERT_TRUE(packet.payload.AppendBytes(body.data(), 100));
  BitStream out = StreamOf({0xC0, 0x00});
  H().memory().FailAllocationsAt("bitstream", -1);
  EXPECT_FALSE(packet.Serialize(out));
  H().memory().ClearFailures();
  EXPECT_EQ(Hex(BytesOf(out)), "C0 00");
}

TEST_F(MqttPacketTest, PacketsThatCannotBeMadeAreNull) {
  H().memory().FailAllocationsAt("mqttpacket", 1);
  EXPECT_EQ(NewPingRespPacket(), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));

  FixedBodyMessage unwritable(false);
  EXPECT_EQ(NewPublishPacket(unwritable), nullptr) << "a body that cannot be written sends nothing";
  EXPECT_TRUE(H().diagnostics().Contains("TaskCompleteMsg"));
}

TEST_F(MqttPacketTest, ThePhonesPublishHead) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool ok;
    const char* topic;
    scn::UInt32 kind;
  };
  const Case cases[] = {
      {"topic AR, kind 7", {0x00, 0x02, 'A', 'R', 0x07, 0x00, 0x00, 0x00, 0xEE}, true, "AR", 7},
      {"any topic is taken", {0x00, 0x01, 'X', 0x0A, 0x00, 0x00, 0x00}, true, "X", 10},
      {"kind is little-endian", {0x00, 0x02, 'A', 'R', 0x01, 0x02, 0x03, 0x04}, true, "AR", 0x04030201},
      {"empty topic", {0x00, 0x00, 0x07, 0x00, 0x00, 0x00}, false, "", 0},
      {"kind as the plug-in sends it: 2 bytes", {0x00, 0x02, 'A', 'R', 0x00, 0x07}, false, "", 0},
      {"kind cut short", {0x00, 0x02, 'A', 'R', 0x07, 0x00, 0x00}, false, "", 0},
      {"topic cut short", {0x00, 0x05, 'A', 'R'}, false, "", 0},
      {"nothing", {}, false, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BitStream payload = StreamOf(c.bytes);
    PublishHead head;
    ASSERT_EQ(ReadPublishHead(payload, head), c.ok);
    if (!c.ok) {
      EXPECT_EQ(payload.GetReadPosition(), 0);
      continue;
    }
    EXPECT_EQ(head.topic, c.topic);
    EXPECT_EQ(head.kind, c.kind);
    EXPECT_EQ(payload.GetReadPosition(), 2 + static_cast<scn::Int64>(head.topic.size()) + 4) << "on the body";
  }
}

}  // namespace
