// Parameters written and read through a plug-in node's hooks, the plug-in's enabling rules, and the values
// of host nodes and of plug-in nodes that leave their parameters to the host.
#include <optional>

#include "scenetest.h"

namespace scenetest {
namespace {

class ParametersTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    object_ = Insert(kPlainType, "object");
    ASSERT_NE(object_, nullptr);
  }
  scn::Container& Stored() { return *scn::GetNodeContainer(object_); }

  scn::SceneNode* object_ = nullptr;
};

TEST_F(ParametersTest, AWriteRunsTheHookAndTheHostStoresOnlyWhatTheHookLeftToIt) {
  struct Case {
    const char* what;
    scn::Int32 id;
    bool accepted;
    std::optional<scn::Int32> stored;
  };
  for (const Case& c : {Case{"the hook stores twice the value itself", kHookStoresDoubled, true, 10},
                        Case{"the host stores what the hook let through", kHookLetsHostStore, true, 5},
                        Case{"a refused write", kHookRefuses, false, std::nullopt}}) {
    const int dirty = Scene().DirtyCount(object_);
    EXPECT_EQ(scn::SetParameter(object_, c.id, scn::Int32{5}), c.accepted) << c.what;
    const scn::Value* stored = Stored().Find(c.id);
    if (c.stored)
      EXPECT_TRUE(stored && *stored == scn::Value{*c.stored}) << c.what;
    else
      EXPECT_EQ(stored, nullptr) << c.what;
    EXPECT_EQ(Scene().DirtyCount(object_), dirty + (c.accepted ? 1 : 0)) << c.what << ": only a write marks";
  }
  EXPECT_EQ(Scene().LastDirtyMask(object_), host::kDirtyData);
}

TEST_F(ParametersTest, ARefusedWriteKeepsTheValueBefore) {
  Stored().SetInt32(kHookRefuses, 3);
  EXPECT_FALSE(scn::SetParameter(object_, kHookRefuses, scn::Int32{9}));
  EXPECT_EQ(Stored().GetInt32(kHookRefuses), 3);
  EXPECT_TRUE(TakeReports().empty()) << "a refusal is the plug-in's answer, not misbehaviour";
}

TEST_F(ParametersTest, AReadRunsTheHookFirstAndFallsBackToTheStoredValue) {
  Stored().SetInt32(kHookSupplies, 5);
  Stored().SetInt32(kHookRefusesRead, 5);
  Stored().SetInt32(kHookLetsHostStore, 5);
  struct Case {
    const char* what;
    scn::Int32 id;
    bool found;
    scn::Value expected;
  };
  for (const Case& c : {Case{"the hook supplies its own value", kHookSupplies, true, scn::Int32{42}},
                        Case{"a refused read, although a value is stored", kHookRefusesRead, false, {}},
                        Case{"the stored value", kHookLetsHostStore, true, scn::Int32{5}},
                        Case{"nothing stored", 555, false, {}}}) {
    scn::Value value = scn::String("left over");
    EXPECT_EQ(scn::GetParameter(object_, c.id, &value), c.found) << c.what;
    EXPECT_TRUE(value == c.expected) << c.what << ": a failed read empties the value";
  }
  Stored().Remove(kHookSupplies);
  scn::Value value;
  ASSERT_TRUE(scn::GetParameter(object_, kHookSupplies, &value)) << "the hook needs no stored value";
  EXPECT_TRUE(value == scn::Value{scn::Int32{42}});
}

TEST_F(ParametersTest, AValueTheHookStoredReadsBackAsTheHookStoredIt) {
  ASSERT_TRUE(scn::SetParameter(object_, kHookStoresDoubled, scn::Int32{4}));
  scn::Value value;
  ASSERT_TRUE(scn::GetParameter(object_, kHookStoresDoubled, &value));
  EXPECT_TRUE(value == scn::Value{scn::Int32{8}});
}

TEST_F(ParametersTest, ReadingWithoutAValueToFillIsReported) {
  EXPECT_FALSE(scn::GetParameter(object_, kHookLetsHostStore, nullptr));
  EXPECT_EQ(TakeReports().size(), 1u);
}

TEST_F(ParametersTest, ThePluginDecidesWhichParametersAreEnabled) {
  EXPECT_FALSE(Scene().IsParameterEnabled(object_, kEnabledBySwitch));
  EXPECT_TRUE(Scene().IsParameterEnabled(object_, kSwitch));
  ASSERT_TRUE(scn::SetParameter(object_, kSwitch, scn::Bool{true}));
  EXPECT_TRUE(Scene().IsParameterEnabled(object_, kEnabledBySwitch));
  ASSERT_TRUE(scn::SetParameter(object_, kSwitch, scn::Bool{false}));
  EXPECT_FALSE(Scene().IsParameterEnabled(object_, kEnabledBySwitch));

  scn::SceneNode* null = Insert(scn::kTypeNull, "null");
  EXPECT_TRUE(Scene().IsParameterEnabled(null, kEnabledBySwitch)) << "host nodes enable everything";
  scn::SceneNode* gone = null;
  scn::FreeSceneNode(gone);
  EXPECT_FALSE(Scene().IsParameterEnabled(null, kSwitch)) << "a freed node";
}

// Host nodes have no hooks; plug-in tags and shaders here keep the default ones. Either way the host
// stores every value as written.
TEST_F(ParametersTest, NodesWithoutHooksKeepEveryValueAsWritten) {
  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  scn::SceneNode* material = scn::AllocateMaterial();
  ASSERT_TRUE(scn::InsertMaterial(doc_, material));
  scn::SceneNode* shader = scn::AllocateShader(kTestShaderType);
  ASSERT_TRUE(scn::InsertShader(material, shader));
  const std::vector<std::pair<const char*, scn::SceneNode*>> nodes = {
      {"material", material},
      {"texture tag", scn::MakeTag(mesh, scn::kTagTexture)},
      {"plug-in tag", scn::MakeTag(mesh, kTestTagType)},
      {"plug-in shader", shader},
  };
  scn::Container nested;
  nested.SetInt32(1, 2);
  const std::vector<std::pair<scn::Int32, scn::Value>> values = {
      {scn::kTextureTagMaterial, scn::NodeLinkValue{scn::GetNodeId(material)}},
      {scn::kTextureTagProjection, scn::Int32{6}},
      {2000, scn::Bool{true}},
      {2001, scn::Float64{0.25}},
      {2002, scn::Vector{1, -2, 3}},
      {2003, scn::String("name")},
      {2004, scn::ContainerBox(nested)},
  };
  for (const auto& [what, node] : nodes) {
    ASSERT_NE(node, nullptr) << what;
    for (const auto& [id, written] : values) {
      const int dirty = Scene().DirtyCount(node);
      EXPECT_TRUE(scn::SetParameter(node, id, written)) << what << " " << id;
      EXPECT_EQ(Scene().DirtyCount(node), dirty + 1) << what << " " << id;
      scn::Value read;
      EXPECT_TRUE(scn::GetParameter(node, id, &read)) << what << " " << id;
      EXPECT_TRUE(read == written) << what << " " << id;
    }
    scn::Value read;
    EXPECT_FALSE(scn::GetParameter(node, 555, &read)) << what << ": nothing stored";
  }
  EXPECT_TRUE(scn::GetNodeContainer(material)->GetBool(2000)) << "the container holds what was written";
}

}  // namespace
}  // namespace scenetest
