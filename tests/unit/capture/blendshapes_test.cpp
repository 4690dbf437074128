// The blendshape table and the weights and extras of a "faceData.txt" frame.
#include "face/blendshapes.h"

#include "basecapture.h"

#include <gtest/gtest.h>

#include <string>

#include "capturefile.h"
#include "face/faceframe.h"

namespace {

class BlendshapesTest : public CaptureFileTest {};

TEST(BlendshapeTable, NamesAndIdsMatchBothWays) {
  struct Case {
    scn::Int32 id;
    const char* name;
  };
  const Case cases[] = {{2100, "eyeBlink_L"},   {2113, "eyeWide_R"},        {2114, "jawForward"},
                        {2126, "mouthFrown_R"}, {2138, "mouthLowerDown_R"}, {2139, "mouthUpperUp_L"},
                        {2150, "noseSneer_R"},  {2151, "tongueOut"}};
  for (const auto& c : cases) {
    EXPECT_STREQ(BlendshapeName(c.id), c.name);
    EXPECT_EQ(BlendshapeIdFromName(c.name, 2), c.id);
  }
  EXPECT_EQ(kBlendshapeCount, 52);
  for (scn::Int32 id = kBlendshapeFirstId; id <= kBlendshapeLastId; ++id)
    EXPECT_EQ(BlendshapeIdFromName(BlendshapeName(id), 2), id) << "names are distinct";
  EXPECT_EQ(BlendshapeName(2099), nullptr);
  EXPECT_EQ(BlendshapeName(2152), nullptr);
}

TEST(BlendshapeTable, UnknownNamesAndTongueOutBeforeVersion2GiveZero) {
  EXPECT_EQ(BlendshapeIdFromName("tongueOut", 1), 0);
  EXPECT_EQ(BlendshapeIdFromName("tongueOut", 3), kTongueOut);
  EXPECT_EQ(BlendshapeIdFromName("eyeBlink_L", 1), kEyeBlinkLeft);
  EXPECT_EQ(BlendshapeIdFromName("eyeblink_L", 2), 0) << "exact comparison";
  EXPECT_EQ(BlendshapeIdFromName("eyeBlink_L ", 2), 0);
  EXPECT_EQ(BlendshapeIdFromName("", 2), 0);
}

// (name, value) lines of the given ids, each with value id / 10000.
std::string Pairs(scn::Int32 first, scn::Int32 last) {
  std::string text;
  for (scn::Int32 id = first; id <= last; ++id)
    text += std::string(BlendshapeName(id)) + "~" + std::to_string((id - 2000) / 1000.0) + "\n";
  return text;
}

float ValueOf(scn::Int32 id) { return static_cast<float>((id - 2000) / 1000.0); }

TEST_F(BlendshapesTest, Version1ReadsUntil51KnownNamesAndDropsUnknownOnes) {
  // An unknown name and "tongueOut" (unknown in version 1) among the 51, then a line for the next reader.
  const std::string text = "unknownShape~0.9\n" + Pairs(2100, 2120) + "tongueOut~0.7\n" + Pairs(2121, 2150) +
                           "after\n";
  OpenText(text);
  FaceFrame frame;
  frame.version = 1;
  frame.weights[51] = 0.5f;
  ASSERT_TRUE(ReadBlendshapeWeights(file_, frame));
  for (scn::Int32 id = 2100; id <= 2150; ++id) EXPECT_EQ(frame.weights[id - 2100], ValueOf(id)) << id;
  EXPECT_EQ(frame.weights[51], 0.5f) << "tongueOut keeps what the frame held";
  scn::String next;
  ASSERT_TRUE(ReadToken(file_, next));
  EXPECT_EQ(next, "after") << "no more pairs read than needed";
}

TEST_F(BlendshapesTest, ARepeatedNameOverwritesAndCounts) {
  OpenText("jawOpen~0.25\n" + Pairs(2100, 2116) + "jawOpen~0.75\n" + Pairs(2118, 2150));
  FaceFrame frame;
  frame.version = 1;
  ASSERT_TRUE(ReadBlendshapeWeights(file_, frame));
  EXPECT_EQ(frame.weights[kJawOpen - 2100], 0.75f);
  EXPECT_EQ(frame.weights[2150 - 2100], 0.0f) << "51 stored before the last line; it stays unread";
}

TEST_F(BlendshapesTest, Version2ReadsItsCount) {
  struct Case {
    const char* what;
    std::string text;
    float jawOpen, tongueOut;
  };
  const Case cases[] = {
      {"all 52", "52\n" + Pairs(2100, 2151), ValueOf(kJawOpen), ValueOf(kTongueOut)},
      {"count 0 keeps the defaults", "0\n" + Pairs(2100, 2151), 0.0f, 0.0f},
      {"a negative count reads nothing", "-3\n", 0.0f, 0.0f},
      {"unknown names count but are dropped", "2\nnope~1\ntongueOut~0.5\n", 0.0f, 0.5f},
      {"a repeated name overwrites", "2\njawOpen~0.1\njawOpen~0.2\n", 0.2f, 0.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OpenText(c.text);
    FaceFrame frame;
    frame.version = 2;
    ASSERT_TRUE(ReadBlendshapeWeights(file_, frame));
    EXPECT_EQ(frame.weights[kJawOpen - 2100], c.jawOpen);
    EXPECT_EQ(frame.weights[kTongueOut - 2100], c.tongueOut);
  }
}

TEST_F(BlendshapesTest, BrokenWeightsFail) {
  struct Case {
    const char* what;
    std::string text;
    scn::Int32 version;
  };
  const Case cases[] = {
      {"version 1 runs out of pairs", Pairs(2100, 2140), 1},
      {"version 1 with only unknown names", "a~1\nb~2\nc~3\n", 1},
      {"a weight that is no number", "1\njawOpen~wide\n", 2},
      {"a count that is no number", "many\n", 2},
      {"fewer pairs than counted", "3\njawOpen~0.1\n", 2},
      {"another frame version", "52\n" + Pairs(2100, 2151), 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    OpenText(c.text);
    FaceFrame frame;
    frame.version = c.version;
    EXPECT_FALSE(ReadBlendshapeWeights(file_, frame));
  }
}

TEST_F(BlendshapesTest, FrameExtrasAreAVectorANumberAnd27More) {
  std::string text = "0.5:1.5:2.5\n-4\n";
  for (int i = 0; i < 27; ++i) text += std::to_string(i) + ".5\n";
  OpenText(text);
  FaceFrame frame;
  ASSERT_TRUE(ReadFrameExtras(file_, frame));
  EXPECT_EQ(frame.extraVector, (scn::Vector{0.5, 1.5, 2.5}));
  EXPECT_EQ(frame.extraValue, -4.0);
  EXPECT_EQ(frame.extraValues[0], 0.5);
  EXPECT_EQ(frame.extraValues[26], 26.5);

  OpenText("0.5:1.5:2.5\n-4\n1\n2\n");
  EXPECT_FALSE(ReadFrameExtras(file_, frame)) << "only two of the 27";
}

}  // namespace
