// Ending the scene: loose plug-in nodes are freed before the loose nodes they own, so that each frees its
// own without being told it freed a dead node.
#include <algorithm>

#include "scenetest.h"

namespace scenetest {
namespace {

class FreeAllTest : public SceneTest {};

TEST_F(FreeAllTest, ALoosePluginNodeFreesItsOwnLooseNodes) {
  struct Case {
    const char* what;
    bool helperFirst;
  };
  for (const Case& c : {Case{"a helper made after its owner", false}, Case{"a helper made before", true}}) {
    for (int i = 0; i < 3; ++i) {
      scn::SceneNode* helper = c.helperFirst ? scn::AllocatePolygonObject(0, 0) : nullptr;
      scn::SceneNode* owner = scn::AllocateObject(kPlainType);
      ASSERT_NE(owner, nullptr);
      scn::SetNodeName(owner, "owner");
      DataOf(owner)->helper = helper ? helper : scn::AllocatePolygonObject(0, 0);
    }
    Insert(kPlainType, "inserted");
    DataOf(Scene().FindObject(doc_, "inserted"))->helper = scn::AllocatePolygonObject(0, 0);
    g_log.clear();

    Scene().FreeAll();
    EXPECT_TRUE(TakeReports().empty()) << c.what;
    EXPECT_EQ(LiveNodes(), 0u) << c.what;
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "release owner"), 3) << c.what;
    doc_ = Scene().NewDocument();
  }
}

}  // namespace
}  // namespace scenetest
