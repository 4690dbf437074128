// Fixed headers as bytes: the remaining-length field at its boundaries, every packet type, bytes that start
// no packet, and input that is short or malformed.
#include "networking/mqttframing.h"

#include <gtest/gtest.h>

#include "wirebytes.h"

namespace {

class MqttFramingTest : public WireTest {};

struct LengthRow {
  scn::Int64 value;
  Bytes bytes;
};

const LengthRow kLengths[] = {
    {0, {0x00}},
    {1, {0x01}},
    {127, {0x7F}},                          // largest in one byte
    {128, {0x80, 0x01}},                    // smallest in two
    {16383, {0xFF, 0x7F}},                  // largest in two
    {16384, {0x80, 0x80, 0x01}},            // smallest in three
    {2097151, {0xFF, 0xFF, 0x7F}},          // largest in three
    {2097152, {0x80, 0x80, 0x80, 0x01}},    // smallest in four
    {268435455, {0xFF, 0xFF, 0xFF, 0x7F}},  // largest the field can carry
    {321, {0xC1, 0x02}},                    // 0x41 + 2 * 128: lowest seven bits first
    {1000000, {0xC0, 0x84, 0x3D}},
};

TEST_F(MqttFramingTest, RemainingLengthEncodesSevenBitsPerByteLowestFirst) {
  for (const LengthRow& row : kLengths) {
    SCOPED_TRACE(row.value);
    BitStream out;
    ASSERT_TRUE(WriteRemainingLength(out, static_cast<std::uint64_t>(row.value)));
    EXPECT_EQ(Hex(BytesOf(out)), Hex(row.bytes));
    EXPECT_EQ(RemainingLengthSize(static_cast<std::uint64_t>(row.value)),
              static_cast<scn::Int64>(row.bytes.size()));
  }
}

TEST_F(MqttFramingTest, SendingSetsNoUpperLimit) {
  BitStream out;
  ASSERT_TRUE(WriteRemainingLength(out, 268435456));
  EXPECT_EQ(Hex(BytesOf(out)), "80 80 80 80 01");
  EXPECT_EQ(RemainingLengthSize(268435456), 5);
}

TEST_F(MqttFramingTest, RemainingLengthDecodesAndAsksForMoreWhileCut) {
  for (const LengthRow& row : kLengths) {
    SCOPED_TRACE(row.value);
    const Bytes input = Join({row.bytes, {0x42}});  // a body byte after the field is not part of it
    scn::Int64 value = -1, used = -1;
    ASSERT_EQ(DecodeRemainingLength(input.data(), static_cast<scn::Int64>(input.size()), value, used),
              FrameVerdict::kComplete);
    EXPECT_EQ(value, row.value);
    EXPECT_EQ(used, static_cast<scn::Int64>(row.bytes.size()));
    for (std::size_t cut = 0; cut < row.bytes.size(); ++cut)
      EXPECT_EQ(DecodeRemainingLength(row.bytes.data(), static_cast<scn::Int64>(cut), value, used),
                FrameVerdict::kNeedsMore)
          << "first " << cut << " bytes";
  }
}

TEST_F(MqttFramingTest, RemainingLengthRefusesAFifthByteAndValuesAboveTheLimit) {
  struct Case {
    const char* what;
    Bytes bytes;
    scn::Int64 limit;
    FrameVerdict verdict;
    scn::Int64 value;
  };
  const Case cases[] = {
      {"fifth byte", {0xFF, 0xFF, 0xFF, 0xFF, 0x01}, kMaxRemainingLength, FrameVerdict::kMalformed, 0},
      {"fifth byte of zero",
       {0x80, 0x80, 0x80, 0x80, 0x00},
       kMaxRemainingLength,
       FrameVerdict::kMalformed,
       0},
      {"four bytes asking for a fifth",
       {0xFF, 0xFF, 0xFF, 0xFF},
       kMaxRemainingLength,
       FrameVerdict::kMalformed,
       0},
      {"beside it: four bytes",
       {0xFF, 0xFF, 0xFF, 0x7F},
       kMaxRemainingLength,
       FrameVerdict::kComplete,
       268435455},
      {"non-minimal zero is still zero", {0x80, 0x00}, kMaxRemainingLength, FrameVerdict::kComplete, 0},
      {"above a caller's limit", {0x81, 0x01}, 128, FrameVerdict::kMalformed, 0},
      {"at a caller's limit", {0x80, 0x01}, 128, FrameVerdict::kComplete, 128},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scn::Int64 value = -1, used = -1;
    ASSERT_EQ(
        DecodeRemainingLength(c.bytes.data(), static_cast<scn::Int64>(c.bytes.size()), value, used, c.limit),
        c.verdict);
    if (c.verdict == FrameVerdict::kComplete) {
      EXPECT_EQ(value, c.value);
    }
  }
}

struct FrameRow {
  const char* what;
  Bytes bytes;
  FrameVerdict verdict;
  scn::UInt32 type;
  scn::UInt32 flags;
  scn::Int64 skipped;
  scn::Int64 remaining;
};

const FrameRow kFrames[] = {
    {"CONNECT, MQTT 3.1.1, empty client id",
     {0x10, 0x0C,                      // CONNECT, 12 bytes follow
      0x00, 0x04, 'M', 'Q', 'T', 'T',  // protocol name
      0x04, 0x02, 0x00, 0x3C,          // level 4, clean session, keep-alive 60 s
      0x00, 0x00},                     // client id ""
     FrameVerdict::kComplete,
     0x10,
     0,
     0,
     12},
    {"CONNACK", {0x20, 0x02, 0x00, 0x00}, FrameVerdict::kComplete, 0x20, 0, 0, 2},
    {"PUBLISH from the phone",
     {0x30, 0x0A,              // PUBLISH, 10 bytes follow
      0x00, 0x02, 'A', 'R',    // topic
      0x07, 0x00, 0x00, 0x00,  // kind 7, UInt32 little-endian
      0x00, 0x00},             // body
     FrameVerdict::kComplete,
     0x30,
     0,
     0,
     10},
    {"PUBLISH with flags 2 is still PUBLISH", {0x32, 0x00}, FrameVerdict::kComplete, 0x30, 2, 0, 0},
    {"SUBSCRIBE: a packet start, not served by the link",
     {0x82, 0x01, 0x00},
     FrameVerdict::kComplete,
     0x80,
     2,
     0,
     1},
    {"PINGREQ", {0xC0, 0x00}, FrameVerdict::kComplete, 0xC0, 0, 0, 0},
    {"PINGRESP", {0xD0, 0x00}, FrameVerdict::kComplete, 0xD0, 0, 0, 0},
    {"DISCONNECT", {0xE0, 0x00}, FrameVerdict::kComplete, 0xE0, 0, 0, 0},
    {"00 and F0 before a header are skipped",
     {0x00, 0xF0, 0xF5, 0xC0, 0x00},
     FrameVerdict::kComplete,
     0xC0,
     0,
     3,
     0},
    {"only bytes that start no packet", {0x00, 0xF0, 0x0F}, FrameVerdict::kNeedsMore, 0, 0, 3, 0},
    {"nothing yet", {}, FrameVerdict::kNeedsMore, 0, 0, 0, 0},
    {"type byte without its length", {0x30}, FrameVerdict::kNeedsMore, 0, 0, 0, 0},
    {"length cut after its first byte", {0x30, 0x80}, FrameVerdict::kNeedsMore, 0, 0, 0, 0},
    {"body cut short", {0x30, 0x05, 0x00, 0x02, 'A'}, FrameVerdict::kNeedsMore, 0x30, 0, 0, 5},
    {"remaining length with a fifth byte",
     {0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0x01},
     FrameVerdict::kMalformed,
     0,
     0,
     0,
     0},
    {"garbage, then an over-long length",
     {0x00, 0xC0, 0x80, 0x80, 0x80, 0x80},
     FrameVerdict::kMalformed,
     0,
     0,
     1,
     0},
};

TEST_F(MqttFramingTest, FramesOfEveryPacketType) {
  for (const FrameRow& row : kFrames) {
    SCOPED_TRACE(row.what);
    FrameHeader header;
    ASSERT_EQ(DecodeFrame(row.bytes.data(), static_cast<scn::Int64>(row.bytes.size()), header), row.verdict);
    EXPECT_EQ(header.skipped, row.skipped);
    if (row.type == 0) continue;
    EXPECT_EQ(header.type, row.type);
    EXPECT_EQ(header.flags, row.flags);
    EXPECT_EQ(header.remainingLength, row.remaining);
    if (row.verdict == FrameVerdict::kComplete) {
      EXPECT_EQ(header.End(), static_cast<scn::Int64>(row.bytes.size()));
    }
  }
}

TEST_F(MqttFramingTest, EveryCutOfACompleteFrameAsksForMore) {
  for (const FrameRow& row : kFrames) {
    if (row.verdict != FrameVerdict::kComplete) continue;
    SCOPED_TRACE(row.what);
    for (std::size_t cut = 0; cut < row.bytes.size(); ++cut) {
      FrameHeader header;
      EXPECT_EQ(DecodeFrame(row.bytes.data(), static_cast<scn::Int64>(cut), header), FrameVerdict::kNeedsMore)
          << "first " << cut << " bytes";
    }
  }
}

TEST_F(MqttFramingTest, TheHeaderIsCompleteBeforeItsBody) {
  const Bytes bytes = {0x00, 0x30, 0x80, 0x01, 0x00, 0x02};  // a 128-byte PUBLISH, 2 bytes of it here
  FrameHeader header;
  ASSERT_EQ(DecodeFrameHeader(bytes.data(), static_cast<scn::Int64>(bytes.size()), header),
            FrameVerdict::kComplete);
  EXPECT_EQ(header.type, 0x30u);
  EXPECT_EQ(header.remainingLength, 128);
  EXPECT_EQ(header.BodyOffset(), 4);
  EXPECT_EQ(header.End(), 132);
  EXPECT_EQ(DecodeFrame(bytes.data(), static_cast<scn::Int64>(bytes.size()), header),
            FrameVerdict::kNeedsMore);
}

// A peer that claims 256 MiB and sends ten bytes gets no memory for them: the decoder only reads the claim.
TEST_F(MqttFramingTest, AbsurdLengthsAreRefusedWithoutAllocating) {
  const Bytes claim = {0x30, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x02, 'A', 'R', 0x01};
  H().memory().FailAllocationsAt("", -1);
  FrameHeader header;
  EXPECT_EQ(DecodeFrame(claim.data(), static_cast<scn::Int64>(claim.size()), header),
            FrameVerdict::kNeedsMore);
  EXPECT_EQ(header.remainingLength, kMaxRemainingLength);
  EXPECT_EQ(DecodeFrame(claim.data(), static_cast<scn::Int64>(claim.size()), header, 1 << 20),
            FrameVerdict::kMalformed)
      << "a reader that holds at most 1 MiB";
  EXPECT_EQ(H().memory().LiveBlocks(), 0u);
  EXPECT_FALSE(H().diagnostics().Contains("Out of memory"));
  H().memory().ClearFailures();
}

TEST_F(MqttFramingTest, PacketStartsAreTheTypesOneToFourteen) {
  for (int byte = 0; byte < 256; ++byte) {
    const int nibble = byte >> 4;
    EXPECT_EQ(IsValidPacketType(static_cast<std::uint8_t>(byte)), nibble >= 1 && nibble <= 14) << byte;
  }
}

}  // namespace
