// Bytes as the wire tables write them, and a host whose plug-in memory must be empty after each test.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "inprocesshost.h"
#include "networking/bitstream.h"

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const BitStream& stream) {
  if (stream.GetLength() == 0) return {};
  return Bytes(stream.GetData(), stream.GetData() + stream.GetLength());
}

inline BitStream StreamOf(const Bytes& bytes) {
  BitStream stream;
  EXPECT_TRUE(stream.AppendBytes(bytes.data(), static_cast<scn::Int64>(bytes.size())));
  return stream;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The remaining-length field, written here apart from the plug-in's own encoder.
inline Bytes RemainingLength(std::size_t value) {
  Bytes digits;
  do {
    std::uint8_t digit = value & 127;
    value >>= 7;
    if (value > 0) digit |= 128;
    digits.push_back(digit);
  } while (value > 0);
  return digits;
}

// "30 06 00 02": failures show the bytes the way the tables write them.
inline std::string Hex(const Bytes& bytes) {
  std::string text;
  char digits[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, text.empty() ? "%02X" : " %02X", b);
    text += digits;
  }
  return text;
}

class WireTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(H().memory().LiveBlocks(), 0u) << "plug-in memory left allocated";
    InProcessHostTest::TearDown();
  }
};
