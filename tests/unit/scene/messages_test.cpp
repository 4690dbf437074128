// Node messages, dirty marks and scene change notices as the host sees them.
#include <thread>

#include "scenetest.h"

namespace scenetest {
namespace {

class MessagesTest : public SceneTest {};

TEST_F(MessagesTest, APluginNodeAnswersItsMessagesAndHostNodesTakeOnlyTheUpdate) {
  scn::SceneNode* plugin = Insert(kPlainType, "plugin");
  scn::SceneNode* null = Insert(scn::kTypeNull, "null");
  struct Case {
    scn::SceneNode* node;
    scn::Int32 type;
    bool handled;
  };
  for (const Case& c :
       {Case{plugin, scn::kMsgUpdate, true}, Case{plugin, scn::kMsgButton, true}, Case{plugin, 99, false},
        Case{null, scn::kMsgUpdate, true}, Case{null, scn::kMsgButton, false}}) {
    EXPECT_EQ(scn::SendNodeMessage(c.node, c.type), c.handled) << NameOf(c.node) << " " << c.type;
  }
  // Every message is seen, handled or not.
  EXPECT_EQ(Scene().MessageCount(plugin, 99), 1);
  EXPECT_EQ(Scene().MessageCount(null, scn::kMsgButton), 1);
  EXPECT_EQ(Scene().MessageCount(null, 99), 0);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(MessagesTest, DirtyMarksCountFromAnyThreadAndKeepTheLastMask) {
  scn::SceneNode* shader = scn::AllocateShader(kTestShaderType);
  scn::SetNodeDirty(shader, 4);
  std::thread([shader] { scn::SetNodeDirty(shader, 0xFFFFFFFFu); }).join();
  EXPECT_EQ(Scene().DirtyCount(shader), 2);
  EXPECT_EQ(Scene().LastDirtyMask(shader), 0xFFFFFFFFu);
  scn::SetNodeDirty(nullptr, 1);
  EXPECT_EQ(TakeReports().size(), 1u) << "a null node";
  scn::FreeSceneNode(shader);
}

TEST_F(MessagesTest, SceneChangeNoticesAreCounted) {
  const int before = Scene().NotifyCount();
  scn::NotifySceneChanged(0);
  scn::NotifySceneChanged(1);
  EXPECT_EQ(Scene().NotifyCount(), before + 2);
}

}  // namespace
}  // namespace scenetest
