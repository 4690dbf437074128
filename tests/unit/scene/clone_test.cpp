// Cloning nodes: the plug-in's CopyNodeData on initialised data, deep copies of tags, children and
// shaders, and failed clones that leave nothing behind.
#include <algorithm>
#include <functional>

#include "scenetest.h"

namespace scenetest {
namespace {

class CloneTest : public SceneTest {
 protected:
  std::vector<scn::Int32> TagTypes(scn::SceneNode* object) {
    std::vector<scn::Int32> types;
    for (scn::SceneNode* t = scn::GetFirstTag(object, 0); t; t = scn::GetNextNode(t))
      types.push_back(scn::GetNodeType(t));
    return types;
  }
};

TEST_F(CloneTest, ThePluginCopiesIntoInitialisedDataAndTheSourceValuesReplaceTheDefaults) {
  scn::SceneNode* source = Insert(kGeneratorType, "source");
  scn::GetNodeContainer(source)->SetInt32(kDefaultId, 9);
  scn::GetNodeContainer(source)->SetString(50, "kept");
  DataOf(source)->value = 3;
  scn::Matrix m;
  m.off = {1, 2, 3};
  scn::SetLocalMatrix(source, m);
  g_log.clear();

  scn::SceneNode* clone = scn::CloneNode(source);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(g_log, (std::vector<std::string>{"init", "copy after init"}));
  TestObject* data = DataOf(clone);
  ASSERT_NE(data, nullptr);
  EXPECT_NE(data, DataOf(source));
  EXPECT_EQ(data->copiedFromId, scn::GetNodeId(source));
  EXPECT_EQ(data->copiedInto, clone);
  EXPECT_EQ(data->value, 3);

  EXPECT_EQ(scn::GetNodeContainer(clone)->GetInt32(kDefaultId), 9) << "not InitNodeData's 7";
  EXPECT_EQ(scn::GetNodeContainer(clone)->GetString(50), "kept");
  EXPECT_EQ(scn::GetNodeName(clone), "source");
  EXPECT_EQ(scn::GetNodeType(clone), kGeneratorType);
  EXPECT_EQ(scn::GetLocalMatrix(clone), m);
  EXPECT_NE(scn::GetNodeId(clone), scn::GetNodeId(source));
  EXPECT_EQ(scn::GetNodeDocument(clone), nullptr) << "the clone is the caller's";
  EXPECT_EQ(Scene().Objects(doc_), std::vector<scn::SceneNode*>{source});
  scn::FreeSceneNode(clone);
}

TEST_F(CloneTest, AClonedMeshHasItsOwnGeometryTagsAndChildren) {
  const std::size_t before = LiveNodes();
  scn::SceneNode* mesh = Mesh({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {{0, 1, 2, 2}});
  ASSERT_TRUE(scn::InsertObject(doc_, mesh));
  scn::SceneNode* uvw = scn::MakeTag(mesh, scn::kTagUVW, 1);
  const scn::UVWPolygon entry{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 0}};
  ASSERT_TRUE(scn::SetUVW(uvw, 0, entry));
  scn::MakeTag(mesh, scn::kTagPhong);
  scn::MakeTag(mesh, kTestTagType);
  scn::SceneNode* child = Insert(kPlainType, "child", mesh);
  scn::SceneNode* grandchild = Insert(scn::kTypeNull, "grandchild", child);
  Insert(scn::kTypeCamera, "second child", mesh);
  const std::size_t live = LiveNodes();

  scn::SceneNode* clone = scn::CloneNode(mesh);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(LiveNodes(), live + (live - before)) << "every node copied once";
  ASSERT_EQ(scn::GetPointCount(clone), 3);
  ASSERT_EQ(scn::GetPolygonCount(clone), 1);
  EXPECT_NE(scn::GetPointsW(clone), scn::GetPointsW(mesh));
  EXPECT_EQ(scn::GetPolygonsW(clone)[0], (scn::Polygon{0, 1, 2, 2}));
  scn::GetPointsW(clone)[1] = {5, 5, 5};
  EXPECT_EQ(scn::GetPointsW(mesh)[1], (scn::Vector{1, 0, 0})) << "the source keeps its points";

  EXPECT_EQ(TagTypes(clone), (std::vector<scn::Int32>{scn::kTagUVW, scn::kTagPhong, kTestTagType}));
  for (scn::SceneNode* t = scn::GetFirstTag(clone, 0); t; t = scn::GetNextNode(t))
    EXPECT_EQ(scn::GetTagObject(t), clone) << scn::GetNodeType(t);
  scn::UVWPolygon read;
  ASSERT_TRUE(scn::GetUVW(scn::GetFirstTag(clone, scn::kTagUVW), 0, &read));
  EXPECT_EQ(read, entry);

  scn::SceneNode* childCopy = scn::GetFirstChild(clone);
  ASSERT_NE(childCopy, nullptr);
  EXPECT_NE(childCopy, child);
  EXPECT_EQ(scn::GetNodeName(childCopy), "child");
  EXPECT_EQ(DataOf(childCopy)->copiedFromId, scn::GetNodeId(child));
  ASSERT_NE(scn::GetFirstChild(childCopy), nullptr);
  EXPECT_NE(scn::GetFirstChild(childCopy), grandchild);
  EXPECT_EQ(scn::GetNodeName(scn::GetFirstChild(childCopy)), "grandchild");
  ASSERT_NE(scn::GetNextNode(childCopy), nullptr);
  EXPECT_EQ(scn::GetNodeName(scn::GetNextNode(childCopy)), "second child");
  EXPECT_EQ(scn::GetNodeDocument(childCopy), nullptr);

  scn::FreeSceneNode(clone);
  EXPECT_EQ(LiveNodes(), live);
  EXPECT_EQ(Scene().FindObject(doc_, "grandchild"), grandchild) << "the source is untouched";
}

TEST_F(CloneTest, AClonedMaterialHasItsOwnShaders) {
  scn::SceneNode* material = scn::AllocateMaterial();
  scn::SceneNode* shader = scn::AllocateShader(kTestShaderType);
  ASSERT_TRUE(scn::InsertShader(material, shader));
  ASSERT_TRUE(scn::InsertMaterial(doc_, material));

  scn::SceneNode* clone = scn::CloneNode(material);
  ASSERT_NE(clone, nullptr);
  scn::SceneNode* shaderCopy = scn::GetFirstShader(clone);
  ASSERT_NE(shaderCopy, nullptr);
  EXPECT_NE(shaderCopy, shader);
  EXPECT_EQ(scn::GetNodeType(shaderCopy), kTestShaderType);
  EXPECT_NE(scn::GetNodeData(shaderCopy), scn::GetNodeData(shader));
  scn::FreeSceneNode(clone);
  EXPECT_EQ(scn::GetFirstShader(material), shader);
}

TEST_F(CloneTest, AFailedCloneGivesNullAndLeavesNothingBehind) {
  struct Case {
    const char* what;
    std::function<void(scn::SceneNode* source, scn::SceneNode* child)> breakIt;
  };
  const Case cases[] = {
      {"the object's copy fails",
       [](scn::SceneNode* source, scn::SceneNode*) { DataOf(source)->failCopy = true; }},
      {"a child's copy fails",
       [](scn::SceneNode*, scn::SceneNode* child) { DataOf(child)->failCopy = true; }},
      {"the allocator gives no data",
       [this](scn::SceneNode*, scn::SceneNode*) { H().memory().FailAllocationsAt(kSite); }},
  };
  for (const Case& c : cases) {
    scn::SceneNode* source = Insert(kPlainType, "source");
    scn::SceneNode* child = Insert(kPlainType, "child", source);
    scn::MakeTag(child, kTestTagType);
    Insert(scn::kTypeNull, "after", source);
    c.breakIt(source, child);
    const std::size_t live = LiveNodes();
    const std::size_t blocks = H().memory().LiveBlocksAt(kSite);
    g_log.clear();

    EXPECT_EQ(scn::CloneNode(source), nullptr) << c.what;
    EXPECT_EQ(LiveNodes(), live) << c.what;
    EXPECT_EQ(H().memory().LiveBlocksAt(kSite), blocks) << c.what;
    const auto count = [](const char* line) { return std::count(g_log.begin(), g_log.end(), line); };
    EXPECT_EQ(count("init"), count("destroy")) << c.what << ": every initialised copy is destroyed";
    EXPECT_TRUE(TakeReports().empty()) << c.what << ": a failed clone is an answer";
    H().memory().ClearFailures();
    scn::FreeSceneNode(source);
  }
}

TEST_F(CloneTest, AClonedTagIsTheCallersUntilItIsPutOnAnObject) {
  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  scn::SceneNode* tag = scn::MakeTag(mesh, kTestTagType);
  scn::SceneNode* clone = scn::CloneNode(tag);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(scn::GetTagObject(clone), nullptr);
  EXPECT_EQ(scn::GetNodeDocument(clone), nullptr);
  EXPECT_EQ(scn::GetNextNode(tag), nullptr) << "not added beside the source";
  scn::FreeSceneNode(clone);
}

}  // namespace
}  // namespace scenetest
