// The token readers of the capture text files: delimiters, conversions, compound values, long tokens
// and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basecapture.h"
#include "capturefile.h"

namespace {

class TokenReaderTest : public CaptureFileTest {
 protected:
  std::vector<std::string> Tokens(int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
      scn::String t = "unset";
      EXPECT_TRUE(ReadToken(file_, t)) << "token " << i;
      out.push_back(t);
    }
    return out;
  }
};

TEST_F(TokenReaderTest, TokensEndAtLineFeedCarriageReturnColonAndTilde) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"line feed", "a\nbc\n", {"a", "bc"}},
      {"carriage return", "a\rb\r", {"a", "b"}},
      {"colon and tilde", "1~2:3", {"1", "2", "3"}},
      {"CR LF gives an empty token", "a\r\nb\r\n", {"a", "", "b", ""}},
      {"last token without delimiter", "x\nlast", {"x", "last"}},
      {"delimiters in a row", "::~", {"", "", ""}},
      {"blanks belong to the token", " a b\t\n", {" a b\t"}},
      {"empty file", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OpenText(c.text);
    EXPECT_EQ(Tokens(static_cast<int>(c.tokens.size())), c.tokens);
    scn::String after = "unset";
    EXPECT_TRUE(ReadToken(file_, after)) << "end of file is no error";
    EXPECT_EQ(after, "");
  }
}

TEST_F(TokenReaderTest, NumbersConvertOrFailAndFailuresKeepTheValue) {
  struct Case {
    std::string token;
    bool ok;
    double value;
  };
  const Case floats[] = {{"1.5", true, 1.5},  {"-0.25", true, -0.25}, {"30", true, 30.0}, {"", false, 0},
                         {"abc", false, 0},   {"1.5x", false, 0},     {"1,5", false, 0}};
  for (const auto& c : floats) {
    SCOPED_TRACE("float '" + c.token + "'");
    OpenText(c.token + "\n");
    scn::Float64 v = 99.0;
    EXPECT_EQ(ReadTokenFloat(file_, v), c.ok);
    EXPECT_EQ(v, c.ok ? c.value : 99.0);
  }
  const Case ints[] = {{"42", true, 42},   {"-7", true, -7},       {"4.5", false, 0},
                       {"", false, 0},     {"99999999999", false, 0}, {"seven", false, 0}};
  for (const auto& c : ints) {
    SCOPED_TRACE("int '" + c.token + "'");
    OpenText(c.token + ":");
    scn::Int32 v = 99;
    EXPECT_EQ(ReadTokenInt(file_, v), c.ok);
    EXPECT_EQ(v, c.ok ? static_cast<scn::Int32>(c.value) : 99);
  }
}

TEST_F(TokenReaderTest, FlagTokens) {
  struct Case {
    const char* token;
    bool ok;
    bool value;
  };
  const Case cases[] = {{"true", true, true}, {"false", true, false}, {"0", true, false}, {"1", true, true},
                        {"5", true, true},    {"-3", true, false},    {"yes", false, false}, {"TRUE", false, false},
                        {"", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    OpenText(std::string(c.token) + "\n");
    // Start from the opposite so a flag that was not set shows.
    scn::Bool v = !c.value;
    EXPECT_EQ(ReadTokenBool(file_, v), c.ok);
    if (c.ok) EXPECT_EQ(v, c.value);
    else EXPECT_EQ(v, !c.value) << "unchanged";
  }
}

TEST_F(TokenReaderTest, VectorsAndUVs) {
  OpenText("1:-2.5:3\n0.5~0.25\n");
  scn::Vector v;
  ASSERT_TRUE(ReadTokenVector(file_, v));
  EXPECT_EQ(v, (scn::Vector{1, -2.5, 3}));
  scn::Float64 u = 0, w = 0;
  ASSERT_TRUE(ReadTokenUV(file_, u, w));
  EXPECT_EQ(u, 0.5);
  EXPECT_EQ(w, 0.25);

  OpenText("1:2\n");
  scn::Vector kept{7, 8, 9};
  EXPECT_FALSE(ReadTokenVector(file_, kept)) << "the third token is missing";
  EXPECT_EQ(kept, (scn::Vector{7, 8, 9}));
}

TEST_F(TokenReaderTest, MatrixScalesTheOffsetAndDropsEachFourthNumber) {
  OpenText(
      "1:0:0:9\n"
      "0:2:0:9\n"
      "0:0:3:9\n"
      "0.5:-1.25:2:1\n");
  scn::Matrix m;
  ASSERT_TRUE(ReadTokenMatrix(file_, m));
  EXPECT_EQ(m.v1, (scn::Vector{1, 0, 0}));
  EXPECT_EQ(m.v2, (scn::Vector{0, 2, 0}));
  EXPECT_EQ(m.v3, (scn::Vector{0, 0, 3}));
  EXPECT_EQ(m.off, (scn::Vector{50, -125, 200}));

  // A dropped number must still be a number; the matrix stays as it was.
  OpenText("1:0:0:x\n0:1:0:0\n0:0:1:0\n0:0:0:1\n");
  scn::Matrix kept;
  kept.off = {1, 2, 3};
  EXPECT_FALSE(ReadTokenMatrix(file_, kept));
  EXPECT_EQ(kept.off, (scn::Vector{1, 2, 3}));
  EXPECT_EQ(kept.v1, (scn::Vector{1, 0, 0}));

  OpenText("1:0:0:0\n0:1:0:0\n");
  EXPECT_FALSE(ReadTokenMatrix(file_, kept)) << "short";
}

TEST_F(TokenReaderTest, Matrix3ReadsThreeAxesAndKeepsTheOffset) {
  OpenText("600:0:0\n0:601:0\n320:240:1\n");
  scn::Matrix m;
  m.off = {5, 6, 7};
  ASSERT_TRUE(ReadTokenMatrix3(file_, m));
  EXPECT_EQ(m.v1, (scn::Vector{600, 0, 0}));
  EXPECT_EQ(m.v2, (scn::Vector{0, 601, 0}));
  EXPECT_EQ(m.v3, (scn::Vector{320, 240, 1}));
  EXPECT_EQ(m.off, (scn::Vector{5, 6, 7}));

  OpenText("600:0:0\n0:601:0\n320:240\n");
  EXPECT_FALSE(ReadTokenMatrix3(file_, m));
  EXPECT_EQ(m.v3, (scn::Vector{320, 240, 1})) << "unchanged on failure";
}

std::string VertexLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::to_string(i) + ":" + std::to_string(-i) + ":" + std::to_string(i % 7) + ".5\n";
  return text;
}

TEST_F(TokenReaderTest, FaceVerticesAppendExactly1220) {
  OpenText(VertexLines(kFaceVertexCount + 1));
  std::vector<scn::Vector> vertices = {{9, 9, 9}};
  ASSERT_TRUE(ReadFaceVertices(file_, vertices));
  ASSERT_EQ(vertices.size(), 1u + kFaceVertexCount);
  EXPECT_EQ(vertices[0], (scn::Vector{9, 9, 9}));
  EXPECT_EQ(vertices[1], (scn::Vector{0, 0, 0.5}));
  EXPECT_EQ(vertices[kFaceVertexCount], (scn::Vector{1219, -1219, 1219 % 7 + 0.5}));
  scn::Vector next;
  ASSERT_TRUE(ReadTokenVector(file_, next)) << "the 1221st line is left for the next reader";
  EXPECT_EQ(next.x, 1220);

  OpenText(VertexLines(kFaceVertexCount - 1));
  std::vector<scn::Vector> shortRead;
  EXPECT_FALSE(ReadFaceVertices(file_, shortRead));
  EXPECT_TRUE(shortRead.empty());
}

TEST_F(TokenReaderTest, LongTokensAndTokensAcrossBufferRefills) {
  const std::string longToken(10000, 'q');
  OpenText(longToken + "~short");
  scn::String t;
  ASSERT_TRUE(ReadToken(file_, t));
  EXPECT_EQ(t, longToken);
  ASSERT_TRUE(ReadToken(file_, t));
  EXPECT_EQ(t, "short");
  EXPECT_EQ(H().memory().LiveBlocksAt("basecapture"), 0u) << "the grown buffer is freed";

  // Enough numbers that several of them straddle the host's 64 KiB refills.
  std::string text;
  const int count = 30000;
  for (int i = 0; i < count; ++i) text += std::to_string(i) + ".25" + (i % 3 ? ":" : "\n");
  OpenText(text);
  for (int i = 0; i < count; ++i) {
    scn::Float64 v = 0;
    ASSERT_TRUE(ReadTokenFloat(file_, v)) << i;
    ASSERT_EQ(v, i + 0.25) << i;
  }
}

TEST_F(TokenReaderTest, ATokenBufferThatCannotGrowFailsTheRead) {
  H().memory().FailAllocationsAt("basecapture", -1);
  OpenText("short:" + std::string(500, 'z') + ":after");
  scn::String t;
  EXPECT_TRUE(ReadToken(file_, t)) << "short tokens need no host memory";
  EXPECT_EQ(t, "short");
  EXPECT_FALSE(ReadToken(file_, t));
  H().memory().ClearFailures();
  EXPECT_EQ(H().memory().LiveBlocksAt("basecapture"), 0u);
}

TEST_F(TokenReaderTest, AFileWithAnErrorFailsEveryReader) {
  OpenText("ab\n");
  scn::Int32 past = 0;
  ASSERT_FALSE(scn::ReadFileInt32(file_, &past)) << "only three bytes";
  scn::String t;
  EXPECT_FALSE(ReadToken(file_, t));
  scn::Float64 d;
  EXPECT_FALSE(ReadTokenFloat(file_, d));
  scn::Matrix m;
  EXPECT_FALSE(ReadTokenMatrix3(file_, m));
}

}  // namespace
