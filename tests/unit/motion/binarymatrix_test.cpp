// The 64-byte matrix of the body capture files and the counted lists of them, read from real files.
#include "motion/binarymatrix.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "inprocesshost.h"
#include "scn/api.h"

namespace {

using Floats = std::array<float, 16>;

void PutU32(std::string& bytes, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>(v >> (8 * i)));
}
void PutI32(std::string& bytes, std::int32_t v) {
  PutU32(bytes, static_cast<std::uint32_t>(v));
}
void PutMatrix(std::string& bytes, const Floats& m) {
  for (float v : m) PutU32(bytes, std::bit_cast<std::uint32_t>(v));
}

// The phone's matrix as the host sees it: translation scaled to centimetres, then mirrored in x on
// both sides, by plain matrix products.
scn::Matrix Expected(const Floats& f) {
  scn::Matrix m;
  m.v1 = {f[0], f[1], f[2]};
  m.v2 = {f[4], f[5], f[6]};
  m.v3 = {f[8], f[9], f[10]};
  m.off = {f[12] * 100.0f, f[13] * 100.0f, f[14] * 100.0f};
  scn::Matrix mirror;
  mirror.v1 = {-1, 0, 0};
  return mirror * m * mirror;
}

class BinaryMatrixTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    scn::FreeFile(file_);
    InProcessHostTest::TearDown();
  }

  scn::HostFile* Open(const std::string& bytes) {
    scn::FreeFile(file_);
    const auto path = temp_.Write("matrix.bin", bytes);
    file_ = scn::AllocateFile();
    EXPECT_TRUE(scn::OpenFile(file_, path.string(), scn::kFileRead));
    return file_;
  }

  scn::HostFile* file_ = nullptr;
};

TEST_F(BinaryMatrixTest, TranslationTurnsIntoMirroredCentimetres) {
  std::string bytes;
  PutMatrix(bytes, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1});
  scn::Matrix m;
  ASSERT_TRUE(ReadBinaryMatrix(Open(bytes), m));
  EXPECT_EQ(m.off, (scn::Vector{-100, 200, 300}));
  EXPECT_EQ(m.v1, (scn::Vector{1, 0, 0}));
  EXPECT_EQ(m.v2, (scn::Vector{0, 1, 0}));
  EXPECT_EQ(m.v3, (scn::Vector{0, 0, 1}));
}

TEST_F(BinaryMatrixTest, EveryValueLandsMirroredAndTheFourthsAreDropped) {
  const Floats cases[] = {
      {0.25f, -0.5f, 0.75f, 9.0f, 1.5f, 2.5f, -3.5f, -9.0f, 4.25f, -5.25f, 6.125f, 7.0f, 0.1f, -0.2f, 0.3f,
       5.0f},
      {0.36f, 0.48f, -0.8f, 0.0f, -0.8f, 0.6f, 0.0f, 0.0f, 0.48f, 0.64f, 0.6f, 0.0f, 1.234567f, -7.654321f,
       0.000123f, 1.0f},
  };
  for (const Floats& f : cases) {
    std::string bytes;
    PutMatrix(bytes, f);
    scn::Matrix m;
    ASSERT_TRUE(ReadBinaryMatrix(Open(bytes), m));
    EXPECT_EQ(m, Expected(f)) << f[0];
  }
}

TEST_F(BinaryMatrixTest, AShortMatrixFailsAndLeavesTheTargetAlone) {
  std::string whole;
  PutMatrix(whole, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  scn::Matrix untouched;
  untouched.off = {7, 7, 7};
  for (std::size_t size : {0u, 3u, 12u, 16u, 47u, 60u, 63u}) {
    scn::Matrix m = untouched;
    EXPECT_FALSE(ReadBinaryMatrix(Open(whole.substr(0, size)), m)) << size;
    EXPECT_EQ(m, untouched) << size;
  }
}

TEST_F(BinaryMatrixTest, ListsGrowAsMatricesArriveAndCountsPastTheFileCanBeRefused) {
  const Floats a = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
  const Floats b = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, -4, 5, -6, 1};
  struct Case {
    const char* what;
    std::int32_t count;
    int present;
    bool ok;
    std::size_t appended;        // by a plain count
    std::size_t appendedWithin;  // by a count held against the file's size
  };
  const Case cases[] = {
      {"as counted", 2, 2, true, 2, 2},
      {"empty", 0, 0, true, 0, 0},
      {"one matrix missing", 3, 2, false, 2, 0},
      {"negative", -1, 2, false, 0, 0},
      {"more than any file holds", 0x7fffffff, 2, false, 2, 0},
  };
  for (const Case& c : cases) {
    for (bool within : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (within ? ", within the file" : ""));
      std::string bytes;
      PutI32(bytes, c.count);
      for (int i = 0; i < c.present; ++i) PutMatrix(bytes, i == 0 ? a : b);
      scn::HostFile* f = Open(bytes);
      std::vector<scn::Matrix> list(1);  // what was there before stays first
      scn::Int32 count = -9;
      const bool counted = within ? ReadCountWithin(f, kBinaryMatrixBytes, count) : ReadCount(f, count);
      EXPECT_EQ(counted && ReadBinaryMatrices(f, count, list), c.ok);
      if (!counted) {
        EXPECT_EQ(count, -9) << "a refused count is not handed out";
      }
      const std::size_t appended = within ? c.appendedWithin : c.appended;
      ASSERT_EQ(list.size(), 1 + appended);
      EXPECT_EQ(list[0], scn::Matrix{});
      if (appended > 0) {
        EXPECT_EQ(list[1], Expected(a));
      }
      if (appended > 1) {
        EXPECT_EQ(list[2], Expected(b));
      }
    }
  }
}

}  // namespace
