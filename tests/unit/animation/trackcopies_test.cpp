// Tracks go with their node: into clones, through object records, and back to an earlier state when the
// undo step they were changed in is undone.
#include <functional>

#include "animationtest.h"
#include "scene/links.h"

namespace animationtest {
namespace {

using KeyList = std::vector<std::pair<double, double>>;

class TrackCopiesTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    mesh_ = Mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
    ASSERT_TRUE(scn::InsertObject(doc_, mesh_));
    scn::SetNodeName(mesh_, "mesh");
    tag_ = scn::MakeTag(mesh_, scn::kTagPhong);
    ASSERT_TRUE(Keyed(mesh_, scn::kParamPosition, scn::kVectorY, {{0, 1.0}, {30, 2.0}}));
    ASSERT_TRUE(Keyed(mesh_, 20, 0, {{5, -1.5}}));
    ASSERT_TRUE(Keyed(tag_, 21, 0, {{1, 3.0}, {2, 4.0}}));
    ASSERT_TRUE(scn::SetKey(scn::FindTrack(mesh_, 20), {1, 7}, 0.25)) << "a time off the frame grid";
  }

  // Each track of a node as (id, sub id, keys).
  static std::vector<std::tuple<scn::Int32, scn::Int32, KeyList>> Tracks(scn::SceneNode* node) {
    std::vector<std::tuple<scn::Int32, scn::Int32, KeyList>> out;
    for (scn::AnimTrack* t = scn::GetFirstTrack(node); t; t = scn::GetNextTrack(t)) {
      scn::Int32 id = 0, subId = 0;
      scn::GetTrackAddress(t, &id, &subId);
      out.emplace_back(id, subId, Keys(t));
    }
    return out;
  }

  scn::SceneNode* mesh_ = nullptr;
  scn::SceneNode* tag_ = nullptr;
};

TEST_F(TrackCopiesTest, AClonesTracksAreItsOwn) {
  scn::SceneNode* clone = scn::CloneNode(mesh_);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(Tracks(clone), Tracks(mesh_));
  EXPECT_EQ(Tracks(scn::GetFirstTag(clone, scn::kTagPhong)), Tracks(tag_));
  EXPECT_NE(scn::GetFirstTrack(clone), scn::GetFirstTrack(mesh_));
  EXPECT_EQ(scn::GetTrackNode(scn::GetFirstTrack(clone)), clone);
  ASSERT_TRUE(scn::SetKey(scn::GetFirstTrack(clone), {9, 1}, 9.0));
  EXPECT_EQ(scn::GetKeyCount(scn::GetFirstTrack(mesh_)), 2) << "the source keeps its keys";
  scn::FreeSceneNode(clone);
}

TEST_F(TrackCopiesTest, TracksOfTheObjectAndItsTagsGoThroughItsRecord) {
  scn::SceneNode* read = RoundTrip(mesh_);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Tracks(read), Tracks(mesh_));
  EXPECT_EQ(Tracks(scn::GetFirstTag(read, scn::kTagPhong)), Tracks(tag_));
  scn::AnimKey key;
  ASSERT_TRUE(scn::GetKey(scn::FindTrack(read, 20), 0, &key));
  EXPECT_EQ(key.time.numerator, 1);
  EXPECT_EQ(key.time.denominator, 7);
  scn::FreeSceneNode(read);
}

// A null object's record of version 2 without parameters, tags or children, its tracks written by hand.
std::string RecordWithTracks(const std::function<void(scn::RecordFile*)>& tracks) {
  auto rf = host::RecordFile::ForWriting();
  scn::RecordFile* r = rf.get();
  scn::WriteRecordInt32(r, 2);
  scn::WriteRecordInt32(r, scn::kTypeNull);
  scn::WriteRecordString(r, "null");
  scn::WriteRecordMatrix(r, scn::Matrix{});
  scn::WriteRecordInt32(r, 0);  // parameters
  scn::WriteRecordInt32(r, 0);  // tags
  tracks(r);
  scn::WriteRecordInt32(r, 0);  // children
  return host::RecordFile::Bytes(*rf);
}

void Key(scn::RecordFile* r, scn::Int64 numerator, scn::Int64 denominator, double value) {
  const scn::RecordTable& records = *scn::GetHostTables()->record;
  host::WriteRecordInt64(records, r, numerator);
  host::WriteRecordInt64(records, r, denominator);
  scn::WriteRecordFloat64(r, value);
}

void Track(scn::RecordFile* r, scn::Int32 id, scn::Int32 subId,
           const std::vector<std::pair<scn::Int64, double>>& keys, scn::Int64 denominator = 30) {
  scn::WriteRecordInt32(r, id);
  scn::WriteRecordInt32(r, subId);
  scn::WriteRecordInt32(r, static_cast<scn::Int32>(keys.size()));
  for (const auto& [n, v] : keys) Key(r, n, denominator, v);
}

TEST_F(TrackCopiesTest, RecordsWithMalformedTracksGiveNoObject) {
  const std::vector<std::pair<const char*, std::function<void(scn::RecordFile*)>>> cases = {
      {"two tracks of one address",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 2);
         Track(r, 10, 0, {{0, 1}});
         Track(r, 10, 0, {{1, 1}});
       }},
      {"keys out of time order",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Track(r, 10, 0, {{2, 1}, {1, 1}});
       }},
      {"two keys at one time",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         scn::WriteRecordInt32(r, 10);
         scn::WriteRecordInt32(r, 0);
         scn::WriteRecordInt32(r, 2);
         Key(r, 1, 30, 1.0);
         Key(r, 2, 60, 2.0);
       }},
      {"a denominator of 0",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Track(r, 10, 0, {{1, 1}}, 0);
       }},
      {"a value that is not finite",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Track(r, 10, 0, {{1, std::numeric_limits<double>::infinity()}});
       }},
      {"a negative key count",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         scn::WriteRecordInt32(r, 10);
         scn::WriteRecordInt32(r, 0);
         scn::WriteRecordInt32(r, -1);
       }},
  };
  const std::string good = RecordWithTracks([](scn::RecordFile* r) {
    scn::WriteRecordInt32(r, 1);
    Track(r, 10, 0, {{0, 1}, {30, 2}});
  });
  auto in = host::RecordFile::ForReading(good);
  scn::SceneNode* read = scn::ReadObjectRecord(in.get());
  ASSERT_NE(read, nullptr) << "the layout the cases start from reads";
  EXPECT_EQ(Keys(scn::FindTrack(read, 10)), (KeyList{{0, 1}, {1, 2}}));
  scn::FreeSceneNode(read);
  for (const auto& [what, tracks] : cases) {
    const std::size_t live = LiveNodes();
    auto bad = host::RecordFile::ForReading(RecordWithTracks(tracks));
    EXPECT_EQ(scn::ReadObjectRecord(bad.get()), nullptr) << what;
    EXPECT_EQ(LiveNodes(), live) << what;
    EXPECT_TRUE(TakeReports().empty()) << what;
  }
}

TEST_F(TrackCopiesTest, UndoingAStepGivesTheNodeTheTracksItHadWhenRecorded) {
  const auto before = Tracks(mesh_);
  ASSERT_TRUE(scn::OpenUndoStep(doc_));
  ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoChange, mesh_));
  scn::AnimTrack* first = scn::GetFirstTrack(mesh_);
  ASSERT_TRUE(scn::SetKey(first, {10, 30}, 50.0));
  scn::AnimTrack* second = scn::GetNextTrack(first);
  scn::FreeTrack(second);
  ASSERT_TRUE(Keyed(mesh_, 30, 0, {{0, 1.0}}));
  ASSERT_TRUE(scn::CloseUndoStep(doc_));
  ASSERT_NE(Tracks(mesh_), before);

  ASSERT_TRUE(Scene().Undo(doc_));
  EXPECT_EQ(Tracks(mesh_), before);
  EXPECT_EQ(Tracks(tag_).size(), 1u) << "the tag was not recorded and keeps its track";
  EXPECT_FALSE(Scene().Undo(doc_)) << "no step left";

  // A step without change entries undoes nothing of the tracks.
  ASSERT_TRUE(scn::OpenUndoStep(doc_));
  ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoNewNode, mesh_));
  scn::RemoveAllTracks(mesh_);
  ASSERT_TRUE(scn::CloseUndoStep(doc_));
  ASSERT_TRUE(Scene().Undo(doc_));
  EXPECT_EQ(scn::GetFirstTrack(mesh_), nullptr);
}

}  // namespace
}  // namespace animationtest
