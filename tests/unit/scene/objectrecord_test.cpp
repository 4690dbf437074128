// Object records: a polygon object with its UVW and Phong tags through a record and back, hierarchies of
// host objects with their parameters, records of version 1 built by hand, and records that are cut short
// or malformed.
#include "scene/objectrecord.h"

#include <functional>
#include <memory>

#include "files/recordfile.h"
#include "scenetest.h"
#include "scn/animation.h"
#include "scn/charanimation.h"

namespace scenetest {
namespace {

struct TagLayout {
  scn::Int32 type = scn::kTagPhong;
  scn::Int32 count = 0;  // UVW tags only
  std::vector<scn::UVWPolygon> entries;
};

// The fields of an object record as written, each free to be set wrong.
struct Layout {
  scn::Int32 version = 1;
  std::string name = "mesh";
  scn::Matrix matrix;
  scn::Int32 pointCount = 3;
  std::vector<scn::Vector> points{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  scn::Int32 polygonCount = 1;
  std::vector<scn::Polygon> polygons{{0, 1, 2, 2}};
  scn::Int32 tagCount = 2;
  std::vector<TagLayout> tags{{scn::kTagUVW, 1, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 1, 0}}}}, {}};
};

std::string Bytes(const Layout& l) {
  auto rf = host::RecordFile::ForWriting();
  scn::RecordFile* r = rf.get();
  scn::WriteRecordInt32(r, l.version);
  scn::WriteRecordString(r, l.name);
  scn::WriteRecordMatrix(r, l.matrix);
  scn::WriteRecordInt32(r, l.pointCount);
  for (const scn::Vector& p : l.points) scn::WriteRecordVector(r, p);
  scn::WriteRecordInt32(r, l.polygonCount);
  for (const scn::Polygon& p : l.polygons)
    for (scn::Int32 corner : {p.a, p.b, p.c, p.d}) scn::WriteRecordInt32(r, corner);
  scn::WriteRecordInt32(r, l.tagCount);
  for (const TagLayout& t : l.tags) {
    scn::WriteRecordInt32(r, t.type);
    if (t.type != scn::kTagUVW) continue;
    scn::WriteRecordInt32(r, t.count);
    for (const scn::UVWPolygon& u : t.entries)
      for (const scn::Vector& v : {u.a, u.b, u.c, u.d}) scn::WriteRecordVector(r, v);
  }
  EXPECT_FALSE(host::RecordFile::Failed(*rf));
  return host::RecordFile::Bytes(*rf);
}

class ObjectRecordTest : public SceneTest {
 protected:
  scn::SceneNode* Read(std::string bytes) {
    reading_ = host::RecordFile::ForReading(std::move(bytes));
    return scn::ReadObjectRecord(reading_.get());
  }
  std::vector<scn::Int32> TagTypes(scn::SceneNode* object) {
    std::vector<scn::Int32> types;
    for (scn::SceneNode* t = scn::GetFirstTag(object, 0); t; t = scn::GetNextNode(t))
      types.push_back(scn::GetNodeType(t));
    return types;
  }

  std::unique_ptr<scn::RecordFile> reading_;
};

TEST_F(ObjectRecordTest, AMeshWithItsUVWAndPhongTagsRoundTrips) {
  scn::SceneNode* mesh = Mesh({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 1.5}}, {{0, 1, 2, 3}, {0, 2, 3, 3}});
  scn::SetNodeName(mesh, "face");
  scn::Matrix m = scn::RotationY(0.5);
  m.off = {1, -2, 3};
  scn::SetLocalMatrix(mesh, m);
  ASSERT_TRUE(scn::InsertObject(doc_, mesh));
  scn::SceneNode* uvw = scn::MakeTag(mesh, scn::kTagUVW, 2);
  const scn::UVWPolygon quad{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  const scn::UVWPolygon triangle{{0, 0, 0}, {0.5, 0.5, 0}, {0, 0.25, 0}, {0, 0.25, 0}};
  ASSERT_TRUE(scn::SetUVW(uvw, 0, quad));
  ASSERT_TRUE(scn::SetUVW(uvw, 1, triangle));
  scn::MakeTag(mesh, scn::kTagTexture);  // tags of other types stay out of the record
  scn::MakeTag(mesh, scn::kTagPhong);
  scn::MakeTag(mesh, kTestTagType);

  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteObjectRecord(out.get(), mesh));
  ASSERT_TRUE(scn::WriteRecordInt32(out.get(), 77));

  scn::SceneNode* read = Read(host::RecordFile::Bytes(*out));
  ASSERT_NE(read, nullptr);
  EXPECT_NE(read, mesh);
  EXPECT_EQ(scn::GetNodeType(read), scn::kTypePolygonObject);
  EXPECT_EQ(scn::GetNodeName(read), "face");
  EXPECT_EQ(scn::GetLocalMatrix(read), m);
  EXPECT_EQ(scn::GetNodeDocument(read), nullptr) << "not inserted";
  ASSERT_EQ(scn::GetPointCount(read), 4);
  ASSERT_EQ(scn::GetPolygonCount(read), 2);
  EXPECT_EQ(std::vector<scn::Vector>(scn::GetPointsW(read), scn::GetPointsW(read) + 4),
            std::vector<scn::Vector>(scn::GetPointsW(mesh), scn::GetPointsW(mesh) + 4));
  EXPECT_EQ(scn::GetPolygonsW(read)[0], (scn::Polygon{0, 1, 2, 3}));
  EXPECT_EQ(scn::GetPolygonsW(read)[1], (scn::Polygon{0, 2, 3, 3}));
  EXPECT_EQ(TagTypes(read), (std::vector<scn::Int32>{scn::kTagUVW, scn::kTagPhong}));
  scn::SceneNode* readUVW = scn::GetFirstTag(read, scn::kTagUVW);
  ASSERT_EQ(scn::GetUVWCount(readUVW), 2);
  scn::UVWPolygon entry;
  ASSERT_TRUE(scn::GetUVW(readUVW, 0, &entry));
  EXPECT_EQ(entry, quad);
  ASSERT_TRUE(scn::GetUVW(readUVW, 1, &entry));
  EXPECT_EQ(entry, triangle);
  EXPECT_EQ(scn::GetTagObject(readUVW), read);

  scn::Int32 after = 0;
  ASSERT_TRUE(scn::ReadRecordInt32(reading_.get(), &after));
  EXPECT_EQ(after, 77) << "the object took exactly its own values";
  ASSERT_TRUE(scn::InsertObject(doc_, read)) << "the read object is the caller's to insert";
}

TEST_F(ObjectRecordTest, AnEmptyMeshRoundTrips) {
  scn::SceneNode* mesh = scn::AllocatePolygonObject(0, 0);
  scn::SetNodeName(mesh, "");
  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteObjectRecord(out.get(), mesh));
  scn::SceneNode* read = Read(host::RecordFile::Bytes(*out));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(scn::GetPointCount(read), 0);
  EXPECT_EQ(scn::GetPolygonCount(read), 0);
  EXPECT_EQ(scn::GetFirstTag(read, 0), nullptr);
  EXPECT_TRUE(host::RecordFile::AtEnd(*reading_));
  scn::FreeSceneNode(read);
  scn::FreeSceneNode(mesh);
}

TEST_F(ObjectRecordTest, TheLayoutTheMalformedCasesStartFromReads) {
  scn::SceneNode* read = Read(Bytes(Layout{}));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(TagTypes(read), (std::vector<scn::Int32>{scn::kTagUVW, scn::kTagPhong}));
  EXPECT_TRUE(host::RecordFile::AtEnd(*reading_));
  scn::FreeSceneNode(read);
}

TEST_F(ObjectRecordTest, AMalformedRecordGivesNoObjectAndLeavesNothing) {
  const std::vector<std::pair<const char*, std::function<void(Layout&)>>> cases = {
      {"a later version", [](Layout& l) { l.version = 3; }},
      {"version 2 with version 1's layout", [](Layout& l) { l.version = 2; }},
      {"version 0", [](Layout& l) { l.version = 0; }},
      {"a negative point count",
       [](Layout& l) {
         l.pointCount = -1;
         l.points.clear();
         l.polygonCount = 0;  // no corner to give it away
         l.polygons.clear();
       }},
      {"a negative polygon count",
       [](Layout& l) {
         l.polygonCount = -1;
         l.polygons.clear();
       }},
      {"a negative tag count",
       [](Layout& l) {
         l.tagCount = -1;
         l.tags.clear();
       }},
      {"a negative UVW entry count",
       [](Layout& l) {
         l.tags[0].count = -1;
         l.tags[0].entries.clear();
       }},
      {"a corner one past the points", [](Layout& l) { l.polygons[0].c = 3; }},
      {"a fourth corner past the points", [](Layout& l) { l.polygons[0].d = 3; }},
      {"a negative corner", [](Layout& l) { l.polygons[0].a = -1; }},
      {"a corner with no points at all",
       [](Layout& l) {
         l.pointCount = 0;
         l.points.clear();
       }},
      {"a texture tag", [](Layout& l) { l.tags[1].type = scn::kTagTexture; }},
      {"a plug-in tag", [](Layout& l) { l.tags[1].type = kTestTagType; }},
  };
  for (const auto& [what, breakIt] : cases) {
    Layout layout;
    breakIt(layout);
    const std::size_t live = LiveNodes();
    EXPECT_EQ(Read(Bytes(layout)), nullptr) << what;
    EXPECT_EQ(LiveNodes(), live) << what;
    EXPECT_TRUE(H().diagnostics().Contains("ReadObjectRecord")) << what << ": a diagnostic line";
    EXPECT_TRUE(TakeReports().empty()) << what << ": a bad record is no misbehaviour";
  }
}

TEST_F(ObjectRecordTest, ARecordCutShortAnywhereGivesNoObjectAndLeavesNothing) {
  const std::string bytes = Bytes(Layout{});
  const std::size_t live = LiveNodes();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_EQ(Read(bytes.substr(0, size)), nullptr) << size << " of " << bytes.size() << " bytes";
    EXPECT_EQ(LiveNodes(), live) << size << " of " << bytes.size() << " bytes";
  }
}

TEST_F(ObjectRecordTest, APluginObjectIsNotWrittenAndAFailedWriteSaysSo) {
  scn::SceneNode* plugin = Insert(kPlainType, "plug-in");
  auto out = host::RecordFile::ForWriting();
  EXPECT_FALSE(scn::WriteObjectRecord(out.get(), plugin));
  EXPECT_EQ(TakeReports().size(), 1u);

  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  ASSERT_TRUE(scn::ResizePolygonObject(mesh, 3, 1));
  scn::MakeTag(mesh, scn::kTagUVW, 1);
  // Whichever value the record refuses, the write says so.
  int failed = 0;
  for (int room = 0; room < 40; ++room) {
    auto record = host::RecordFile::ForWriting();
    host::RecordFile::FailAfter(*record, room);
    const bool written = scn::WriteObjectRecord(record.get(), mesh);
    EXPECT_EQ(written, !host::RecordFile::Failed(*record)) << room << " values fit";
    failed += written ? 0 : 1;
  }
  EXPECT_GT(failed, 10);
  EXPECT_LT(failed, 40);
}

TEST_F(ObjectRecordTest, AHierarchyOfHostObjectsWithTheirParametersRoundTrips) {
  scn::SceneNode* rig = Insert(scn::kTypeNull, "rig");
  scn::Container nested;
  nested.SetInt32(1, 2);
  scn::Container& c = *scn::GetNodeContainer(rig);
  c.SetInt32(1, -7);
  c.SetBool(2, true);
  c.SetFloat(3, 0.125);
  c.SetVector(4, {1, 2, 3});
  c.SetMatrix(5, scn::RotationX(0.5));
  c.SetString(6, "text");
  c.SetFilename(7, scn::Filename("/a/b.txt"));
  c.SetContainer(8, nested);
  c.SetLink(9, scn::GetNodeId(rig));
  c.Set(10, scn::Value{});
  scn::SceneNode* head = Insert(scn::kTypeCamera, "head", rig);
  scn::Matrix m;
  m.off = {0, 150, 0};
  scn::SetLocalMatrix(head, m);
  Insert(scn::kTypeSound, "sound", head);
  Insert(kPlainType, "plug-in child", rig);
  scn::MakeTag(rig, kTestTagType);
  scn::MakeTag(rig, scn::kTagTexture);

  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteObjectRecord(out.get(), rig));
  scn::SceneNode* read = Read(host::RecordFile::Bytes(*out));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(host::RecordFile::AtEnd(*reading_));
  EXPECT_EQ(*scn::GetNodeContainer(read), c);
  EXPECT_EQ(scn::GetFirstTag(read, 0), nullptr) << "plug-in and texture tags stay out";
  scn::SceneNode* readHead = scn::GetFirstChild(read);
  ASSERT_NE(readHead, nullptr);
  EXPECT_EQ(scn::GetNextNode(readHead), nullptr) << "the plug-in child stays out";
  EXPECT_EQ(scn::GetNodeType(readHead), scn::kTypeCamera);
  EXPECT_EQ(scn::GetLocalMatrix(readHead), m);
  scn::SceneNode* sound = scn::GetFirstChild(readHead);
  ASSERT_NE(sound, nullptr);
  EXPECT_EQ(scn::GetNodeType(sound), scn::kTypeSound);
  EXPECT_EQ(scn::GetNodeName(sound), "sound");
  scn::FreeSceneNode(read);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(ObjectRecordTest, ARecordOfVersion2CutShortAnywhereGivesNoObjectAndLeavesNothing) {
  scn::SceneNode* mesh = Mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
  ASSERT_TRUE(scn::InsertObject(doc_, mesh));
  scn::GetNodeContainer(mesh)->SetString(1, "value");
  scn::MakeTag(mesh, scn::kTagUVW, 1);
  scn::AnimTrack* track = scn::CreateTrack(mesh, scn::kParamPosition, scn::kVectorX);
  ASSERT_TRUE(scn::SetKey(track, {0, 1}, 1.0));
  ASSERT_TRUE(scn::MakePoseMorphTag(mesh, doc_));
  ASSERT_EQ(scn::AddPose(mesh, "pose"), 0);
  scn::SceneNode* graph = scn::MakeTag(mesh, scn::kTagNodeGraph);
  scn::NodeMaster* master = scn::GetNodeMaster(graph);
  scn::SceneNode* object = scn::CreateGraphNode(master, scn::kGraphNodeObject, 0, 0);
  scn::SceneNode* mapper = scn::CreateGraphNode(master, scn::kGraphNodeRangeMapper, 0, 0);
  ASSERT_TRUE(scn::LinkGraphNode(object, mesh));
  ASSERT_TRUE(scn::ConnectPorts(scn::AddGraphPort(object, false, 1001, scn::kSubIdPoseStrength),
                                scn::GetGraphPort(mapper, true, 0)));
  Insert(scn::kTypeNull, "child", mesh);

  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteObjectRecord(out.get(), mesh));
  const std::string bytes = host::RecordFile::Bytes(*out);
  scn::SceneNode* whole = Read(bytes);
  ASSERT_NE(whole, nullptr);
  scn::FreeSceneNode(whole);
  const std::size_t live = LiveNodes();
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_EQ(Read(bytes.substr(0, size)), nullptr) << size << " of " << bytes.size() << " bytes";
    EXPECT_EQ(LiveNodes(), live) << size << " of " << bytes.size() << " bytes";
  }
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(ObjectRecordTest, AHierarchyDeeperThanARecordHoldsIsNotWritten) {
  scn::SceneNode* top = Insert(scn::kTypeNull, "0");
  scn::SceneNode* parent = top;
  for (int depth = 1; depth <= host::kObjectRecordDepth + 1; ++depth)
    parent = Insert(scn::kTypeNull, "n", parent);
  auto out = host::RecordFile::ForWriting();
  EXPECT_FALSE(scn::WriteObjectRecord(out.get(), top));
  auto again = host::RecordFile::ForWriting();
  EXPECT_TRUE(scn::WriteObjectRecord(again.get(), scn::GetFirstChild(top))) << "one level less fits";
}

}  // namespace
}  // namespace scenetest
