// The byte codec: what each write appends, what each read takes, and reads that find too few bytes.
#include "networking/bitstream.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "wirebytes.h"

namespace {

class BitStreamTest : public WireTest {};

TEST_F(BitStreamTest, WritesAppendTheirBytes) {
  struct Case {
    const char* what;
    std::function<bool(BitStream&)> write;
    Bytes bytes;
  };
  BitStream other = StreamOf({0xDE, 0xAD});
  const Case cases[] = {
      {"one byte", [](BitStream& s) { return s.WriteUInt8(0xAB); }, {0xAB}},
      {"Bool true", [](BitStream& s) { return s.WriteBool(true); }, {0x01}},
      {"Bool false", [](BitStream& s) { return s.WriteBool(false); }, {0x00}},
      {"UInt16 high byte first", [](BitStream& s) { return s.WriteUInt16(0x1234); }, {0x12, 0x34}},
      {"UInt16 largest", [](BitStream& s) { return s.WriteUInt16(0xFFFF); }, {0xFF, 0xFF}},
      {"String: big-endian count, text, no terminator",
       [](BitStream& s) { return s.WriteString("AR"); },
       {0x00, 0x02, 'A', 'R'}},
      {"empty String: the count alone", [](BitStream& s) { return s.WriteString(""); }, {0x00, 0x00}},
      {"raw bytes", [](BitStream& s) { return s.AppendBytes("\x01\x02\x03", 3); }, {0x01, 0x02, 0x03}},
      {"nothing appended from no bytes", [](BitStream& s) { return s.AppendBytes(nullptr, 0); }, {}},
      {"another stream", [&](BitStream& s) { return s.Append(other); }, {0xDE, 0xAD}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BitStream s = StreamOf({0x55});  // writes go after what is there
    ASSERT_TRUE(c.write(s));
    EXPECT_EQ(Hex(BytesOf(s)), Hex(Join({{0x55}, c.bytes})));
    EXPECT_EQ(s.GetReadPosition(), 0);
  }
}

TEST_F(BitStreamTest, ReadsTakeTheirBytesOrLeaveTheCursor) {
  struct Case {
    const char* what;
    Bytes bytes;
    // Reads one field; checks its value when the read succeeds.
    std::function<bool(BitStream&)> read;
    bool ok;
    scn::Int64 cursor;
  };
  auto u8 = [](std::uint8_t want) {
    return [want](BitStream& s) {
      std::uint8_t v = 0;
      const bool ok = s.ReadUInt8(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto boolean = [](bool want) {
    return [want](BitStream& s) {
      scn::Bool v = !want;
      const bool ok = s.ReadBool(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto u16 = [](std::uint16_t want) {
    return [want](BitStream& s) {
      std::uint16_t v = 0;
      const bool ok = s.ReadUInt16(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto u32 = [](scn::UInt32 want) {
    return [want](BitStream& s) {
      scn::UInt32 v = 0;
      const bool ok = s.ReadUInt32(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto f32 = [](scn::Float32 want) {
    return [want](BitStream& s) {
      scn::Float32 v = 0;
      const bool ok = s.ReadFloat32(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto f64 = [](scn::Float64 want) {
    return [want](BitStream& s) {
      scn::Float64 v = 0;
      const bool ok = s.ReadFloat64(v);
      if (ok) {
        EXPECT_EQ(v, want);
      }
      return ok;
    };
  };
  auto text = [](std::string want) {
    return [want](BitStream& s) {
      scn::String v = "untouched";
      const bool ok = s.ReadString(v);
      EXPECT_EQ(v, ok ? want : "untouched");
      return ok;
    };
  };
  const Case cases[] = {
      {"UInt8", {0xAB, 0xCD}, u8(0xAB), true, 1},
      {"UInt8 of nothing", {}, u8(0), false, 0},
      {"Bool 00", {0x00}, boolean(false), true, 1},
      {"Bool 01", {0x01}, boolean(true), true, 1},
      {"Bool 02 is true too", {0x02}, boolean(true), true, 1},
      {"UInt16 high byte first", {0x12, 0x34}, u16(0x1234), true, 2},
      {"UInt16 of one byte", {0x12}, u16(0), false, 0},
      {"UInt32 low byte first", {0x78, 0x56, 0x34, 0x12}, u32(0x12345678), true, 4},
      {"UInt32 largest", {0xFF, 0xFF, 0xFF, 0xFF}, u32(0xFFFFFFFF), true, 4},
      {"UInt32 of three bytes", {0x78, 0x56, 0x34}, u32(0), false, 0},
      {"Float32 1.0 little-endian", {0x00, 0x00, 0x80, 0x3F}, f32(1.0f), true, 4},
      {"Float32 -2.5", {0x00, 0x00, 0x20, 0xC0}, f32(-2.5f), true, 4},
      {"Float32 of three bytes", {0x00, 0x80, 0x3F}, f32(0), false, 0},
      {"Float64 exactly 8 bytes", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F}, f64(1.0), true, 8},
      {"Float64 0.1", {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}, f64(0.1), true, 8},
      {"Float64 of 7 bytes", {0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F}, f64(0), false, 0},
      {"String", {0x00, 0x02, 'A', 'R', 0x07}, text("AR"), true, 4},
      {"String of count 0 advances 2", {0x00, 0x00, 'A'}, text(""), true, 2},
      {"String count is big-endian", {0x00, 0x01, 'A', 'B'}, text("A"), true, 3},
      {"String shorter than its count", {0x00, 0x03, 'A', 'R'}, text(""), false, 0},
      {"String with half a count", {0x00}, text(""), false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    BitStream s = StreamOf(c.bytes);
    EXPECT_EQ(c.read(s), c.ok);
    EXPECT_EQ(s.GetReadPosition(), c.cursor);
  }
}

TEST_F(BitStreamTest, AShortReadKeepsTheCursorOfTheFieldsBefore) {
  BitStream s = StreamOf({0x00, 0x02, 'A', 'R', 0x10, 0x20, 0x30});
  scn::String topic;
  scn::UInt32 kind = 0;
  ASSERT_TRUE(s.ReadString(topic));
  EXPECT_FALSE(s.ReadUInt32(kind));
  EXPECT_EQ(s.GetReadPosition(), 4);
  std::uint16_t half = 0;
  ASSERT_TRUE(s.ReadUInt16(half));
  EXPECT_EQ(half, 0x1020);
  EXPECT_TRUE(s.HasMore());
}

TEST_F(BitStreamTest, WrittenFieldsReadBack) {
  BitStream s;
  ASSERT_TRUE(s.WriteUInt16(101));
  ASSERT_TRUE(s.WriteString("Smile take 3"));
  ASSERT_TRUE(s.WriteBool(true));
  ASSERT_TRUE(s.WriteUInt8(0xFE));
  std::uint16_t kind = 0;
  scn::String name;
  scn::Bool flag = false;
  std::uint8_t last = 0;
  ASSERT_TRUE(s.ReadUInt16(kind) && s.ReadString(name) && s.ReadBool(flag) && s.ReadUInt8(last));
  EXPECT_EQ(kind, 101);
  EXPECT_EQ(name, "Smile take 3");
  EXPECT_TRUE(flag);
  EXPECT_EQ(last, 0xFE);
  EXPECT_FALSE(s.HasMore());
}

TEST_F(BitStreamTest, ReadIntoMovesBytesToAnotherStream) {
  BitStream s = StreamOf({0x01, 0x02, 0x03, 0x04, 0x05});
  BitStream file = StreamOf({0xAA});
  ASSERT_TRUE(s.SetReadPosition(1));
  ASSERT_TRUE(s.ReadInto(file, 3));
  EXPECT_EQ(Hex(BytesOf(file)), "AA 02 03 04");
  EXPECT_EQ(s.GetReadPosition(), 4);
  EXPECT_FALSE(s.ReadInto(file, 2)) << "one byte is left";
  EXPECT_FALSE(s.ReadInto(file, -1));
  EXPECT_EQ(s.GetReadPosition(), 4);
  EXPECT_EQ(file.GetLength(), 4);
  ASSERT_TRUE(s.ReadInto(s, 1)) << "into itself";
  EXPECT_EQ(Hex(BytesOf(s)), "01 02 03 04 05 05");
}

TEST_F(BitStreamTest, CursorLengthAndClear) {
  BitStream s = StreamOf({0x01, 0x02, 0x03});
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_TRUE(s.SetReadPosition(3));
  EXPECT_FALSE(s.HasMore());
  EXPECT_FALSE(s.SetReadPosition(4));
  EXPECT_FALSE(s.SetReadPosition(-1));
  EXPECT_EQ(s.GetReadPosition(), 3);
  ASSERT_TRUE(s.SetReadPosition(1));
  EXPECT_TRUE(s.HasMore());
  EXPECT_EQ(s.GetRemaining(), 2);
  s.Clear();
  EXPECT_EQ(s.GetLength(), 0);
  EXPECT_EQ(s.GetReadPosition(), 0);
  EXPECT_FALSE(s.HasMore());
  ASSERT_TRUE(s.WriteUInt8(0x09));
  EXPECT_EQ(Hex(BytesOf(s)), "09");
}

TEST_F(BitStreamTest, CopiesOwnTheirBytes) {
  BitStream a = StreamOf({0x01, 0x02});
  ASSERT_TRUE(a.SetReadPosition(1));
  BitStream b = a;
  ASSERT_TRUE(a.WriteUInt8(0x03));
  EXPECT_EQ(Hex(BytesOf(b)), "01 02");
  EXPECT_EQ(b.GetReadPosition(), 1);
  b = a;
  EXPECT_EQ(Hex(BytesOf(b)), "01 02 03");
  BitStream c = std::move(a);
  EXPECT_EQ(Hex(BytesOf(c)), "01 02 03");
  EXPECT_EQ(a.GetLength(), 0);
}

TEST_F(BitStreamTest, GrowsOverManyAppendsWithoutLosingBytes) {
  BitStream s;
  for (int i = 0; i < 100000; ++i) ASSERT_TRUE(s.WriteUInt8(static_cast<std::uint8_t>(i * 7)));
  ASSERT_TRUE(s.Append(s)) << "doubles itself";
  ASSERT_EQ(s.GetLength(), 200000);
  for (int i = 0; i < 200000; ++i) {
    std::uint8_t v = 0;
    ASSERT_TRUE(s.ReadUInt8(v));
    ASSERT_EQ(v, static_cast<std::uint8_t>((i % 100000) * 7)) << "at " << i;
  }
}

TEST_F(BitStreamTest, TextLongerThanItsCountCanSayIsRefused) {
  BitStream s;
  ASSERT_TRUE(s.WriteString(std::string(0xFFFF, 'x')));
  EXPECT_EQ(s.GetLength(), 2 + 0xFFFF);
  EXPECT_EQ(Hex(Bytes(s.GetData(), s.GetData() + 3)), "FF FF 78");
  s.Clear();
  EXPECT_FALSE(s.WriteString(std::string(0x10000, 'x')));
  EXPECT_EQ(s.GetLength(), 0);
}

TEST_F(BitStreamTest, AWriteThatCannotGrowFailsAndKeepsTheBytes) {
  BitStream s;
  H().memory().FailAllocationsAt("bitstream", 1);
  EXPECT_FALSE(s.WriteUInt16(7));
  EXPECT_EQ(s.GetLength(), 0);
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));

  const Bytes first(64, 0x11);
  ASSERT_TRUE(s.AppendBytes(first.data(), 64));
  H().memory().FailAllocationsAt("bitstream", -1);
  EXPECT_FALSE(s.WriteString("A"));
  EXPECT_FALSE(s.WriteUInt8(1));
  EXPECT_EQ(Hex(BytesOf(s)), Hex(first));
  BitStream copy = s;
  EXPECT_EQ(copy.GetLength(), 0) << "a copy without memory is empty";
  H().memory().ClearFailures();
  EXPECT_TRUE(s.WriteUInt8(1));
}

// A length from the wire is checked against the bytes that are there before any memory is asked for.
TEST_F(BitStreamTest, AbsurdCountsFailWithoutAllocating) {
  BitStream s = StreamOf({0xFF, 0xFF, 'A', 'R'});
  BitStream into;
  H().memory().FailAllocationsAt("", -1);
  scn::String text;
  EXPECT_FALSE(s.ReadString(text));
  EXPECT_FALSE(s.ReadInto(into, scn::Int64{1} << 40));
  EXPECT_FALSE(s.ReadInto(into, 5));
  EXPECT_EQ(s.GetReadPosition(), 0);
  EXPECT_EQ(into.GetData(), nullptr);
  EXPECT_FALSE(H().diagnostics().Contains("Out of memory"));
  H().memory().ClearFailures();
}

}  // namespace
