// Tracks and keys: interpolation, holding the end keys, replacing keys at equal times, removal, and what
// evaluation writes into each kind of parameter.
#include <cmath>
#include <functional>
#include <numbers>
#include <thread>

#include "animationtest.h"

namespace animationtest {
namespace {

constexpr scn::Int32 kFloat = 10, kInt = 11, kBool = 12, kVector = 13, kText = 14, kMissing = 15;

class TracksTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    null_ = Insert(scn::kTypeNull, "null");
    ASSERT_NE(null_, nullptr);
    scn::Container& c = *scn::GetNodeContainer(null_);
    c.SetFloat(kFloat, 0.5);
    c.SetInt32(kInt, 7);
    c.SetBool(kBool, false);
    c.SetVector(kVector, {1, 2, 3});
    c.SetString(kText, "text");
  }

  scn::SceneNode* null_ = nullptr;
};

TEST_F(TracksTest, KeysInterpolateLinearlyAndTheEndKeysHoldOutsideThem) {
  scn::AnimTrack* track = Keyed(null_, kFloat, 0, {{10, 1.0}, {20, 3.0}, {40, -1.0}});
  ASSERT_NE(track, nullptr);
  const std::vector<std::pair<scn::TimeValue, double>> table = {
      {{0, 1}, 1.0},      // before the first key: held
      {{-5, 1}, 1.0},     // negative time
      {{10, 30}, 1.0},    // on a key
      {{15, 30}, 2.0},    // halfway
      {{1, 2}, 2.0},      // the same time written in seconds
      {{7, 12}, 2.5},     // frame 17.5
      {{20, 30}, 3.0},    // on the middle key
      {{30, 30}, 1.0},    // halfway down to -1
      {{40, 30}, -1.0},   // on the last key
      {{100, 30}, -1.0},  // after the last key: held
  };
  for (const auto& [time, expected] : table) {
    scn::Float64 value = 0;
    ASSERT_TRUE(scn::EvaluateTrack(track, time, &value)) << time.numerator << "/" << time.denominator;
    EXPECT_NEAR(value, expected, 1e-12) << time.numerator << "/" << time.denominator;
  }

  scn::AnimTrack* single = Keyed(null_, kInt, 0, {{5, 4.0}});
  for (scn::Int32 frame : {0, 5, 50}) {
    scn::Float64 value = 0;
    ASSERT_TRUE(scn::EvaluateTrack(single, scn::FrameTime(frame, 30), &value));
    EXPECT_EQ(value, 4.0) << frame;
  }
  scn::AnimTrack* empty = scn::CreateTrack(null_, kBool);
  scn::Float64 untouched = 9;
  EXPECT_FALSE(scn::EvaluateTrack(empty, {0, 1}, &untouched)) << "a track without keys has no value";
  EXPECT_EQ(untouched, 9);
}

TEST_F(TracksTest, AKeyAtAnEqualTimeReplacesTheOneThereAndKeysStayInTimeOrder) {
  scn::AnimTrack* track = scn::CreateTrack(null_, kFloat);
  ASSERT_TRUE(scn::SetKey(track, {2, 30}, 20));
  ASSERT_TRUE(scn::SetKey(track, {0, 1}, 0));
  ASSERT_TRUE(scn::SetKey(track, {1, 30}, 10));
  ASSERT_TRUE(scn::SetKey(track, {2, 60}, 11)) << "1/30 s written as 2/60";
  ASSERT_TRUE(scn::SetKey(track, {1, 15}, 21)) << "2/30 s written as 1/15";
  EXPECT_EQ(Keys(track), (std::vector<std::pair<double, double>>{{0, 0}, {1.0 / 30, 11}, {2.0 / 30, 21}}));
  scn::AnimKey key;
  ASSERT_TRUE(scn::GetKey(track, 1, &key));
  EXPECT_EQ(key.time.numerator, 1);
  EXPECT_EQ(key.time.denominator, 30) << "times are kept in lowest terms";
}

TEST_F(TracksTest, KeysAndTracksAreRemovedAndANodeHasOneTrackPerAddress) {
  scn::AnimTrack* a = Keyed(null_, kFloat, 0, {{0, 1}, {10, 2}, {20, 3}});
  scn::AnimTrack* b = Keyed(null_, kVector, scn::kVectorX, {{0, 1}});
  scn::AnimTrack* c = Keyed(null_, kVector, scn::kVectorY, {{0, 1}});
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(scn::CreateTrack(null_, kFloat), nullptr) << "one track per address";
  EXPECT_TRUE(H().diagnostics().Contains("CreateTrack"));
  EXPECT_EQ(scn::FindTrack(null_, kVector, scn::kVectorY), c);
  EXPECT_EQ(scn::FindTrack(null_, kVector, scn::kVectorZ), nullptr);
  EXPECT_EQ(scn::GetTrackNode(b), null_);
  scn::Int32 id = 0, subId = 0;
  ASSERT_TRUE(scn::GetTrackAddress(b, &id, &subId));
  EXPECT_EQ(std::pair(id, subId), std::pair(kVector, scn::kVectorX));

  ASSERT_TRUE(scn::RemoveKey(a, 1));
  EXPECT_EQ(Keys(a), (std::vector<std::pair<double, double>>{{0, 1}, {20.0 / 30, 3}}));

  scn::FreeTrack(b);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(scn::GetFirstTrack(null_), a);
  EXPECT_EQ(scn::GetNextTrack(a), c);
  EXPECT_EQ(scn::GetNextTrack(c), nullptr);

  scn::RemoveAllTracks(null_);
  EXPECT_EQ(scn::GetFirstTrack(null_), nullptr);
  EXPECT_EQ(scn::FindTrack(null_, kFloat), nullptr);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(TracksTest, EvaluationWritesFloatsRoundedInt32BoolsAndVectorComponents) {
  // Each track goes from its value at frame 0 to its value at frame 10.
  ASSERT_TRUE(Keyed(null_, kFloat, 0, {{0, 0.0}, {10, 1.0}}));
  ASSERT_TRUE(Keyed(null_, kInt, 0, {{0, -5.0}, {10, 5.0}}));
  ASSERT_TRUE(Keyed(null_, kBool, 0, {{0, 0.0}, {10, 1.0}}));
  ASSERT_TRUE(Keyed(null_, kVector, scn::kVectorY, {{0, 10.0}, {10, 20.0}}));
  ASSERT_TRUE(Keyed(null_, kText, 0, {{0, 1.0}}));
  ASSERT_TRUE(Keyed(null_, kMissing, 0, {{0, 4.0}}));
  struct Row {
    int frame;
    double f;
    scn::Int32 i;
    bool b;
    double vy;
  };
  const std::vector<Row> rows = {
      {0, 0.0, -5, false, 10.0}, {2, 0.2, -3, false, 12.0},
      {4, 0.4, -1, false, 14.0}, {5, 0.5, 0, true, 15.0},   // 0.5 rounds up: true
      {6, 0.6, 1, true, 16.0},   {13, 1.0, 5, true, 20.0},  // held after the last key
  };
  for (const Row& row : rows) {
    EvaluateAt(row.frame);
    const scn::Container& c = *scn::GetNodeContainer(null_);
    EXPECT_NEAR(c.GetFloat(kFloat), row.f, 1e-12) << row.frame;
    EXPECT_EQ(c.GetType(kInt), scn::ValueType::Int32);
    EXPECT_EQ(c.GetInt32(kInt), row.i) << row.frame;
    EXPECT_EQ(c.GetType(kBool), scn::ValueType::Bool);
    EXPECT_EQ(c.GetBool(kBool), row.b) << row.frame;
    EXPECT_EQ(c.GetVector(kVector), (scn::Vector{1, row.vy, 3})) << row.frame;
    EXPECT_EQ(c.GetString(kText), "text") << "a track cannot write text";
    EXPECT_EQ(c.GetFloat(kMissing), 4.0) << "a parameter the node lacks becomes a Float";
  }
}

TEST_F(TracksTest, PositionRotationAndScaleTracksSetTheMatrixTogether) {
  scn::Matrix start;
  start.off = {0, 5, 0};
  scn::SetLocalMatrix(null_, start);
  const double quarter = std::numbers::pi / 2;
  ASSERT_TRUE(Keyed(null_, scn::kParamPosition, scn::kVectorX, {{0, 0.0}, {10, 100.0}}));
  ASSERT_TRUE(Keyed(null_, scn::kParamRotation, scn::kVectorX, {{0, 0.0}, {10, quarter}}));  // heading
  ASSERT_TRUE(Keyed(null_, scn::kParamRotation, scn::kVectorY, {{0, 0.25}}));                // pitch
  ASSERT_TRUE(Keyed(null_, scn::kParamScale, scn::kVectorZ, {{0, 2.0}}));

  EvaluateAt(5);
  scn::Matrix expected = scn::RotationY(quarter / 2) * scn::RotationX(0.25);
  expected.v3 = expected.v3 * 2.0;
  expected.off = {50, 5, 0};  // y was not animated and stays
  const scn::Matrix m = scn::GetLocalMatrix(null_);
  for (const auto& [got, want] : {std::pair(m.off, expected.off), std::pair(m.v1, expected.v1),
                                  std::pair(m.v2, expected.v2), std::pair(m.v3, expected.v3)}) {
    EXPECT_NEAR(got.x, want.x, 1e-9);
    EXPECT_NEAR(got.y, want.y, 1e-9);
    EXPECT_NEAR(got.z, want.z, 1e-9);
  }
}

TEST_F(TracksTest, TracksOfTagsAreEvaluatedToo) {
  scn::SceneNode* tag = scn::MakeTag(null_, scn::kTagPhong);
  ASSERT_TRUE(Keyed(tag, kFloat, 0, {{0, 0.0}, {10, 10.0}}));
  EvaluateAt(3);
  EXPECT_NEAR(scn::GetNodeContainer(tag)->GetFloat(kFloat), 3.0, 1e-12);
}

// A generator that remembers the value of kFloat it sees.
inline std::vector<double> g_seen;
class SeeingGenerator : public scn::ObjectData {
 public:
  scn::SceneNode* EvaluateGenerator(scn::SceneNode* node) override {
    g_seen.push_back(scn::GetNodeContainer(node)->GetFloat(kFloat));
    return nullptr;
  }
};
constexpr scn::Int32 kSeeingType = 1990101;

TEST_F(TracksTest, TracksAreWrittenBeforeGeneratorsRun) {
  H().registry().SetStarting(true);
  ASSERT_TRUE(scn::RegisterObjectType(kSeeingType, "Seeing", 0x4, scenetest::Allocate<SeeingGenerator>,
                                      "Oseeing", nullptr, 0));
  H().registry().SetStarting(false);
  scn::SceneNode* generator = Insert(kSeeingType, "generator");
  ASSERT_TRUE(Keyed(generator, kFloat, 0, {{0, 0.0}, {10, 1.0}}));
  g_seen.clear();
  EvaluateAt(4);
  EvaluateAt(8);
  ASSERT_EQ(g_seen.size(), 2u);
  EXPECT_NEAR(g_seen[0], 0.4, 1e-12);
  EXPECT_NEAR(g_seen[1], 0.8, 1e-12);
}

TEST_F(TracksTest, FreedTracksAndNodesBadTimesAndOtherThreadsAreReported) {
  // No track is made after these are freed, so none takes a freed one's address.
  scn::AnimTrack* live = Keyed(null_, kInt, 0, {{0, 1.0}});
  scn::SceneNode* dead = scn::AllocateObject(scn::kTypeNull);
  scn::AnimTrack* onDead = scn::CreateTrack(dead, kFloat);
  scn::AnimTrack* freed = scn::CreateTrack(null_, kFloat);
  scn::AnimTrack* stale = freed;
  scn::FreeTrack(freed);
  scn::SceneNode* freedNode = dead;
  scn::FreeSceneNode(freedNode);
  scn::Float64 value = 0;
  scn::AnimKey key;
  const std::vector<std::pair<const char*, std::function<bool()>>> calls = {
      {"SetKey",
       [&] {
         return !scn::SetKey(stale, {0, 1}, 1.0);
       }},
      {"GetKeyCount", [&] { return scn::GetKeyCount(stale) == 0; }},
      {"GetNextTrack", [&] { return scn::GetNextTrack(onDead) == nullptr; }},
      {"FreeTrack",
       [&] {
         scn::AnimTrack* t = stale;
         scn::FreeTrack(t);
         return true;
       }},
      {"CreateTrack", [&] { return scn::CreateTrack(dead, kFloat) == nullptr; }},
      {"FindTrack", [&] { return scn::FindTrack(nullptr, kFloat) == nullptr; }},
      {"RemoveAllTracks",
       [&] {
         scn::RemoveAllTracks(dead);
         return true;
       }},
      {"SetKey",
       [&] {
         return !scn::SetKey(live, {1, 0}, 1.0);
       }},
      {"SetKey",
       [&] {
         return !scn::SetKey(live, {1, 30}, std::nan(""));
       }},
      {"GetKey", [&] { return !scn::GetKey(live, 1, &key); }},
      {"RemoveKey", [&] { return !scn::RemoveKey(live, -1); }},
      {"EvaluateTrack",
       [&] {
         return !scn::EvaluateTrack(live, {0, -1}, &value);
       }},
      {"EvaluateTrack",
       [&] {
         bool answered = true;
         std::thread([&] { answered = !scn::EvaluateTrack(live, {0, 1}, &value); }).join();
         return answered;
       }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_TRUE(call()) << name;
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_NE(reports[0].find(name), std::string::npos) << reports[0];
  }
  EXPECT_EQ(scn::GetKeyCount(live), 1) << "the refused keys changed nothing";
}

}  // namespace
}  // namespace animationtest
