// Scene files: objects written into a file of the host's record format and one of them read back by name,
// and files that are missing, damaged or hold no such object.
#include <fstream>

#include "files/recordfile.h"
#include "scenetest.h"

namespace scenetest {
namespace {

class SceneFileTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    mesh_ = Mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}});
    scn::SetNodeName(mesh_, "mesh");
    ASSERT_TRUE(scn::InsertObject(doc_, mesh_));
    scn::MakeTag(mesh_, scn::kTagUVW, 1);
    rig_ = Insert(scn::kTypeNull, "rig");
    scn::SceneNode* head = Insert(scn::kTypeNull, "head", rig_);
    Insert(scn::kTypeCamera, "eye", head);
    Insert(kPlainType, "plug-in child", rig_);
    file_ = temp_ / "quadmesh.scn";
  }

  bool Save(std::vector<const scn::SceneNode*> objects) {
    return scn::SaveSceneObjects(scn::Filename(file_.string()), objects.data(),
                                 static_cast<scn::Int32>(objects.size()));
  }
  scn::SceneNode* Load(const std::string& name) {
    return scn::LoadSceneObject(scn::Filename(file_.string()), name);
  }

  scn::SceneNode* mesh_ = nullptr;
  scn::SceneNode* rig_ = nullptr;
  std::filesystem::path file_;
};

TEST_F(SceneFileTest, AnObjectIsReadBackByNameFromAnyDepth) {
  ASSERT_TRUE(Save({rig_, mesh_}));
  scn::SceneNode* mesh = Load("mesh");
  ASSERT_NE(mesh, nullptr);
  EXPECT_NE(mesh, mesh_);
  EXPECT_EQ(scn::GetNodeDocument(mesh), nullptr) << "the caller's";
  ASSERT_EQ(scn::GetPointCount(mesh), 4);
  EXPECT_EQ(scn::GetPointsW(mesh)[2], (scn::Vector{1, 1, 0}));
  EXPECT_EQ(scn::GetPolygonsW(mesh)[0], (scn::Polygon{0, 1, 2, 3}));
  EXPECT_NE(scn::GetFirstTag(mesh, scn::kTagUVW), nullptr);

  const std::size_t live = LiveNodes();
  scn::SceneNode* head = Load("head");
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(scn::GetNodeType(head), scn::kTypeNull);
  ASSERT_NE(scn::GetFirstChild(head), nullptr);
  EXPECT_EQ(scn::GetNodeName(scn::GetFirstChild(head)), "eye");
  EXPECT_EQ(LiveNodes(), live + 2) << "the rest of its hierarchy is freed";

  scn::SceneNode* rig = Load("rig");
  ASSERT_NE(rig, nullptr);
  EXPECT_EQ(scn::GetNextNode(scn::GetFirstChild(rig)), nullptr) << "the plug-in child is not in the file";
  for (scn::SceneNode* n : {mesh, head, rig}) scn::FreeSceneNode(n);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(SceneFileTest, MissingDamagedAndNamelessFilesGiveNoObjectAndSaySo) {
  ASSERT_TRUE(Save({rig_, mesh_}));
  std::ifstream in(file_, std::ios::binary);
  const std::string whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  in.close();
  auto write = [this](const std::string& bytes) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << bytes;
  };
  const std::size_t live = LiveNodes();

  EXPECT_EQ(Load("nobody"), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("holds no object \"nobody\""));

  const std::vector<std::pair<const char*, std::string>> damaged = {
      {"cut inside the second object", whole.substr(0, whole.size() - 20)},
      {"cut inside the header", whole.substr(0, 6)},
      {"not a record file", "mesh mesh mesh mesh"},
      {"empty", ""},
      {"the count's type changed", whole.substr(0, 8) + char(4) + whole.substr(9)},
      {"a negative count", whole.substr(0, 12) + char(0x80) + whole.substr(13)},
  };
  for (const auto& [what, bytes] : damaged) {
    write(bytes);
    H().diagnostics().Clear();
    EXPECT_EQ(Load("mesh"), nullptr) << what;
    EXPECT_TRUE(H().diagnostics().Contains("damaged")) << what;
  }
  std::filesystem::remove(file_);
  H().diagnostics().Clear();
  EXPECT_EQ(Load("mesh"), nullptr);
  EXPECT_TRUE(H().diagnostics().Contains("no scene file"));
  EXPECT_EQ(LiveNodes(), live) << "nothing is left behind";
  EXPECT_TRUE(TakeReports().empty()) << "a bad file is no misbehaviour";
}

TEST_F(SceneFileTest, AFailedSaveLeavesTheEarlierFileAndPlugInObjectsAreRefused) {
  ASSERT_TRUE(Save({mesh_}));
  scn::SceneNode* plugin = Insert(kPlainType, "plug-in");
  EXPECT_FALSE(Save({rig_, plugin}));
  EXPECT_EQ(TakeReports().size(), 1u) << "a plug-in object has no object record";
  EXPECT_FALSE(scn::SaveSceneObjects(scn::Filename((temp_ / "no folder" / "x.scn").string()), nullptr, 0));
  EXPECT_TRUE(H().diagnostics().Contains("cannot write"));
  scn::SceneNode* mesh = Load("mesh");
  EXPECT_NE(mesh, nullptr) << "the earlier file is whole";
  EXPECT_EQ(Load("rig"), nullptr);
  scn::FreeSceneNode(mesh);
}

TEST_F(SceneFileTest, TheHostWritesSceneFilesForToolsToo) {
  ASSERT_TRUE(Scene().SaveSceneFile(file_, {mesh_}));
  scn::SceneNode* mesh = Scene().LoadSceneObject(file_, "mesh");
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(scn::GetPolygonCount(mesh), 1);
  scn::FreeSceneNode(mesh);
}

}  // namespace
}  // namespace scenetest
