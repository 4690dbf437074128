// Received bytes cut into whole packets, however the connection hands them over: packets the link serves
// and packets it skips, bytes that start no packet, progress of large PUBLISH bodies, lost framing, memory.
#include "networking/packetassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wirebytes.h"

namespace {

class PacketAssemblerTest : public WireTest {};

// One line per event: "30 len 10 body 00 02 ..." for a packet (type byte, remaining length, a kept body),
// "progress 4096", and "malformed" or "out of memory", after which the bytes are not looked at again.
std::vector<std::string> Events(PacketAssembler& assembler, const Bytes& bytes, std::size_t piece) {
  std::vector<std::string> events;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t n = std::min(piece, bytes.size() - at);
    for (std::size_t used = 0; used < n;) {
      PacketAssembler::Event event;
      const scn::Int64 took =
          assembler.Take(bytes.data() + at + used, static_cast<scn::Int64>(n - used), event);
      if (took <= 0) {
        ADD_FAILURE() << "took " << took << " of " << n - used << " bytes";
        return events;
      }
      used += static_cast<std::size_t>(took);
      const FrameHeader& h = assembler.Header();
      switch (event) {
        case PacketAssembler::Event::kNone:
          break;
        case PacketAssembler::Event::kPacket: {
          std::string line = Hex({static_cast<std::uint8_t>(h.type | h.flags)}) + " len " +
                             std::to_string(h.remainingLength);
          if (assembler.Body().GetLength() > 0) line += " body " + Hex(BytesOf(assembler.Body()));
          events.push_back(line);
          assembler.FinishPacket();
          break;
        }
        case PacketAssembler::Event::kProgress:
          events.push_back("progress " + std::to_string(assembler.BodyReceived()));
          break;
        case PacketAssembler::Event::kMalformed:
          events.push_back("malformed");
          return events;
        case PacketAssembler::Event::kOutOfMemory:
          events.push_back("out of memory");
          return events;
      }
    }
    at += n;
  }
  return events;
}

struct StreamRow {
  const char* what;
  Bytes bytes;
  std::vector<std::string> events;
};

const StreamRow kStreams[] = {
    {"a phone's session",
     {0x10, 0x0C, 0x00, 0x04, 'M', 'Q', 'T',  'T',  0x04, 0x02, 0x00, 0x3C, 0x00, 0x00,  // CONNECT
      0x30, 0x0A, 0x00, 0x02, 'A', 'R', 0x07, 0x00, 0x00, 0x00, 0x00, 0x00,              // PUBLISH kind 7
      0xC0, 0x00,                                                                        // PINGREQ
      0xE0, 0x00},                                                                       // DISCONNECT
     {"10 len 12", "30 len 10 body 00 02 41 52 07 00 00 00 00 00", "C0 len 0", "E0 len 0"}},
    {"a generic client's SUBSCRIBE is skipped whole, topic \"1z\" and all",
     {0x82, 0x07, 0x00, 0x01, 0x00, 0x02, '1', 'z', 0x00,         // SUBSCRIBE
      0x30, 0x08, 0x00, 0x02, 'A', 'R', 0x06, 0x00, 0x00, 0x00},  // PUBLISH kind 6
     {"82 len 7", "30 len 8 body 00 02 41 52 06 00 00 00"}},
    {"bytes that start no packet, before and between packets",
     {0x00, 0xF0, 0x0F, 0xC0, 0x00, 0x00, 0xF0, 0xD0, 0x00},
     {"C0 len 0", "D0 len 0"}},
    {"a PINGREQ with a body it should not have, all PUBLISH starts",
     {0xC0, 0x02, 0x30, 0x30, 0xE0, 0x00},
     {"C0 len 2", "E0 len 0"}},
    {"an empty PUBLISH, flags kept beside the type",
     {0x32, 0x00, 0x30, 0x01, 0x30},
     {"32 len 0", "30 len 1 body 30"}},
    {"a two-byte length around a body of PUBLISH starts",
     Join({{0x90, 0x80, 0x01}, Bytes(128, 0x30), {0xC0, 0x00}}),
     {"90 len 128", "C0 len 0"}},
    {"a length of five bytes loses the framing",
     {0xC0, 0x00, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0xC0, 0x00},
     {"C0 len 0", "malformed"}},
};

TEST_F(PacketAssemblerTest, PacketsAreTheSameHoweverTheBytesAreCut) {
  for (const StreamRow& row : kStreams) {
    SCOPED_TRACE(row.what);
    for (std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, row.bytes.size()}) {
      SCOPED_TRACE("pieces of " + std::to_string(piece));
      PacketAssembler assembler;
      EXPECT_EQ(Events(assembler, row.bytes, piece), row.events);
    }
  }
}

Bytes PublishOfLength(std::size_t remaining) {
  Bytes body(remaining);
  for (std::size_t i = 0; i < remaining; ++i) body[i] = static_cast<std::uint8_t>(i * 7);
  return Join({{0x30}, RemainingLength(remaining), body});
}

struct ProgressRow {
  std::size_t remaining;
  std::vector<std::string> progress;
};

// One report per full unit of 4096 bytes with more to come, never for the last bytes, never twice.
TEST_F(PacketAssemblerTest, AProgressReportForEveryFullUnitOfAPublishBody) {
  const ProgressRow rows[] = {
      {4095, {}},
      {4096, {}},
      {4097, {"progress 4096"}},
      {8192, {"progress 4096"}},
      {8193, {"progress 4096", "progress 8192"}},
  };
  for (const ProgressRow& row : rows) {
    SCOPED_TRACE(row.remaining);
    const Bytes bytes = PublishOfLength(row.remaining);
    for (std::size_t piece : {std::size_t{1}, std::size_t{1000}, std::size_t{4096}, bytes.size()}) {
      SCOPED_TRACE("pieces of " + std::to_string(piece));
      PacketAssembler assembler(4096);
      std::vector<std::string> events = Events(assembler, bytes, piece);
      ASSERT_FALSE(events.empty());
      EXPECT_EQ(events.back().rfind("30 len " + std::to_string(row.remaining) + " body", 0), 0u);
      events.pop_back();
      EXPECT_EQ(events, row.progress);
    }
  }
}

TEST_F(PacketAssemblerTest, TheBodyIsWholeAfterProgress) {
  const Bytes bytes = PublishOfLength(10000);
  PacketAssembler assembler(4096);
  scn::Int64 at = 0;
  PacketAssembler::Event event = PacketAssembler::Event::kNone;
  while (event != PacketAssembler::Event::kPacket && at < static_cast<scn::Int64>(bytes.size()))
    at += assembler.Take(bytes.data() + at, static_cast<scn::Int64>(bytes.size()) - at, event);
  ASSERT_EQ(event, PacketAssembler::Event::kPacket);
  EXPECT_EQ(BytesOf(assembler.Body()), Bytes(bytes.begin() + 3, bytes.end()));
}

TEST_F(PacketAssemblerTest, OnlyPublishBodiesAreKeptAndReported) {
  Bytes subscribe = PublishOfLength(10000);
  subscribe[0] = 0x82;
  PacketAssembler assembler(4096);
  EXPECT_EQ(Events(assembler, subscribe, 1000), std::vector<std::string>{"82 len 10000"});
  EXPECT_EQ(H().memory().LiveBytesAt("bitstream"), 0u);
}

TEST_F(PacketAssemblerTest, ALargeBodyGivesItsMemoryBack) {
  PacketAssembler assembler(4096);
  Events(assembler, PublishOfLength(1 << 20), 65536);
  EXPECT_EQ(H().memory().LiveBytesAt("bitstream"), 0u);
  // Half a large body, then the link is reset.
  const Bytes half = PublishOfLength(1 << 20);
  Events(assembler, Bytes(half.begin(), half.begin() + (1 << 19)), 65536);
  EXPECT_TRUE(assembler.InPacket());
  assembler.Reset(4096);
  EXPECT_EQ(H().memory().LiveBytesAt("bitstream"), 0u);
  EXPECT_EQ(Events(assembler, {0xC0, 0x00}, 2), std::vector<std::string>{"C0 len 0"});
}

// A peer that claims 256 MiB and sends ten bytes holds memory for ten bytes.
TEST_F(PacketAssemblerTest, MemoryFollowsTheBytesNotTheClaim) {
  PacketAssembler assembler(4096);
  const Bytes claim = {0x30, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x02, 'A', 'R', 0x01, 0x00, 0x00, 0x00, 0x00};
  EXPECT_TRUE(Events(assembler, claim, claim.size()).empty());
  EXPECT_EQ(assembler.BodyReceived(), 9);
  EXPECT_LE(H().memory().LiveBytesAt("bitstream"), 1024u);
}

// Once a byte is missing, nothing after it can be trusted: the assembler says so until it is reset.
TEST_F(PacketAssemblerTest, LostFramingStaysLostUntilReset) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool failMemory;
    PacketAssembler::Event event;
  };
  const Case cases[] = {
      {"a length of five bytes",
       {0x30, 0x80, 0x80, 0x80, 0x80, 0x01},
       false,
       PacketAssembler::Event::kMalformed},
      {"a body that cannot grow", PublishOfLength(100), true, PacketAssembler::Event::kOutOfMemory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PacketAssembler assembler(4096);
    if (c.failMemory) H().memory().FailAllocationsAt("bitstream", 1);
    PacketAssembler::Event event = PacketAssembler::Event::kNone;
    scn::Int64 at = 0;
    while (event == PacketAssembler::Event::kNone && at < static_cast<scn::Int64>(c.bytes.size()))
      at += assembler.Take(c.bytes.data() + at, static_cast<scn::Int64>(c.bytes.size()) - at, event);
    EXPECT_EQ(event, c.event);
    H().memory().ClearFailures();
    const Bytes ping = {0xC0, 0x00};
    EXPECT_EQ(assembler.Take(ping.data(), 2, event), 2);
    EXPECT_EQ(event, c.event) << "still lost";
    assembler.Reset(4096);
    EXPECT_EQ(Events(assembler, ping, 2), std::vector<std::string>{"C0 len 0"});
  }
  EXPECT_TRUE(H().diagnostics().Contains("Out of memory"));
}

}  // namespace
