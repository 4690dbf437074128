// Undo steps: nesting, one log per document, and recording or closing with no step open.
#include <functional>

#include "scenetest.h"

namespace scenetest {
namespace {

class UndoTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    a_ = Insert(scn::kTypeNull, "a");
    b_ = Insert(scn::kTypeNull, "b");
    c_ = Insert(scn::kTypeNull, "c");
    ASSERT_TRUE(a_ && b_ && c_);
  }
  host::UndoEntry NewNode(scn::SceneNode* node) { return {scn::kUndoNewNode, scn::GetNodeId(node)}; }

  scn::SceneNode *a_ = nullptr, *b_ = nullptr, *c_ = nullptr;
};

TEST_F(UndoTest, NestedStepsMakeOneStepOfEverythingRecordedInside) {
  ASSERT_TRUE(scn::OpenUndoStep(doc_));
  ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoNewNode, a_));
  ASSERT_TRUE(scn::OpenUndoStep(doc_));
  ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoNewNode, b_));
  ASSERT_TRUE(scn::CloseUndoStep(doc_));
  EXPECT_TRUE(Scene().UndoSteps(doc_).empty()) << "the outer step is still open";
  ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoNewNode, c_));
  ASSERT_TRUE(scn::CloseUndoStep(doc_));

  const std::vector<host::UndoStep> steps = Scene().UndoSteps(doc_);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].entries, (std::vector<host::UndoEntry>{NewNode(a_), NewNode(b_), NewNode(c_)}));
}

TEST_F(UndoTest, EachOutermostStepIsAStepOfItsOwnDocument) {
  scn::Document* other = Scene().NewDocument();
  for (scn::SceneNode* node : {a_, b_}) {
    ASSERT_TRUE(scn::OpenUndoStep(doc_));
    ASSERT_TRUE(scn::RecordUndo(doc_, scn::kUndoNewNode, node));
    ASSERT_TRUE(scn::CloseUndoStep(doc_));
  }
  const std::vector<host::UndoStep> steps = Scene().UndoSteps(doc_);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].entries, std::vector<host::UndoEntry>{NewNode(a_)});
  EXPECT_EQ(steps[1].entries, std::vector<host::UndoEntry>{NewNode(b_)});

  ASSERT_TRUE(scn::OpenUndoStep(doc_));
  EXPECT_FALSE(scn::RecordUndo(other, scn::kUndoNewNode, c_)) << "the step is open in doc_ only";
  EXPECT_EQ(TakeReports().size(), 1u);
  ASSERT_TRUE(scn::CloseUndoStep(doc_));
  EXPECT_TRUE(Scene().UndoSteps(other).empty());
}

TEST_F(UndoTest, RecordingOrClosingWithNoStepOpenIsReportedAndChangesNothing) {
  const std::vector<std::pair<const char*, std::function<bool()>>> calls = {
      {"RecordUndo before any step", [this] { return scn::RecordUndo(doc_, scn::kUndoNewNode, a_); }},
      {"CloseUndoStep before any step", [this] { return scn::CloseUndoStep(doc_); }},
      {"RecordUndo after the step closed",
       [this] {
         scn::OpenUndoStep(doc_);
         scn::CloseUndoStep(doc_);
         return scn::RecordUndo(doc_, scn::kUndoNewNode, b_);
       }},
      {"CloseUndoStep once too often",
       [this] {
         scn::OpenUndoStep(doc_);
         scn::CloseUndoStep(doc_);
         return scn::CloseUndoStep(doc_);
       }},
  };
  for (const auto& [what, call] : calls) {
    EXPECT_FALSE(call()) << what;
    EXPECT_EQ(TakeReports().size(), 1u) << what;
  }
  // The two empty steps opened above, and nothing recorded outside them.
  EXPECT_EQ(Scene().UndoSteps(doc_), (std::vector<host::UndoStep>(2)));
}

TEST_F(UndoTest, FreeingADocumentWithAStepOpenIsReported) {
  scn::Document* other = Scene().NewDocument();
  ASSERT_TRUE(scn::OpenUndoStep(other));
  Scene().FreeDocument(other);
  const auto reports = TakeReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("undo step"), std::string::npos) << reports[0];
}

}  // namespace
}  // namespace scenetest
