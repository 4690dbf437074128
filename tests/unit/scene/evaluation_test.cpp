// Evaluating a document: generators in hierarchy order, then plug-in tags by priority; nodes freed while it
// runs; the nodes generators hand back.
#include <optional>
#include <thread>

#include "scenetest.h"

namespace scenetest {
namespace {

using Log = std::vector<std::string>;

// G1 { P [tag] { G2 [tag] }, G3 }, G4 [Phong, tag]; P does not generate.
class EvaluationTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(BuildScene());
  }

  // The scene above in a new document that replaces doc_.
  void BuildScene() {
    Scene().FreeDocument(doc_);
    doc_ = Scene().NewDocument();
    g1_ = Insert(kGeneratorType, "G1");
    p_ = Insert(kPlainType, "P", g1_);
    g2_ = Insert(kGeneratorType, "G2", p_);
    g3_ = Insert(kGeneratorType, "G3", g1_);
    g4_ = Insert(kGeneratorType, "G4");
    ASSERT_TRUE(g1_ && p_ && g2_ && g3_ && g4_);
    pTag_ = scn::MakeTag(p_, kTestTagType);
    g2Tag_ = scn::MakeTag(g2_, kTestTagType);
    ASSERT_TRUE(scn::MakeTag(g4_, scn::kTagPhong));
    g4Tag_ = scn::MakeTag(g4_, kTestTagType);
    ASSERT_TRUE(pTag_ && g2Tag_ && g4Tag_);
    g_log.clear();
  }

  // The generator and tag calls of the log, without releases.
  static Log Calls() {
    Log calls;
    for (const std::string& line : g_log)
      if (line.starts_with("generate ") || line.starts_with("tag ")) calls.push_back(line);
    return calls;
  }

  scn::SceneNode *g1_ = nullptr, *p_ = nullptr, *g2_ = nullptr, *g3_ = nullptr, *g4_ = nullptr;
  scn::SceneNode *pTag_ = nullptr, *g2Tag_ = nullptr, *g4Tag_ = nullptr;
};

const Log kOneEvaluation = {"generate G1", "generate G2", "generate G3", "generate G4",
                            "tag P",       "tag G2",      "tag G4"};

TEST_F(EvaluationTest, GeneratorsRunOnceEachInHierarchyOrderThenTheTags) {
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_EQ(g_log, kOneEvaluation);
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  Log twice = kOneEvaluation;
  twice.insert(twice.end(), kOneEvaluation.begin(), kOneEvaluation.end());
  EXPECT_EQ(g_log, twice);
}

TEST_F(EvaluationTest, AnotherDocumentsObjectsAreNotEvaluated) {
  scn::Document* other = Scene().NewDocument();
  ASSERT_TRUE(Scene().EvaluateDocument(other));
  EXPECT_TRUE(g_log.empty());
}

TEST_F(EvaluationTest, WhatAGeneratorFreesIsNotEvaluatedAfterwards) {
  struct Case {
    const char* what;
    scn::SceneNode* const* victim;  // read after the scene is built
    Log calls;
  };
  const Case cases[] = {
      {"a later generator", &g3_, {"generate G1", "generate G2", "generate G4", "tag P", "tag G2", "tag G4"}},
      {"the parent of a later generator", &p_, {"generate G1", "generate G3", "generate G4", "tag G4"}},
      {"a tag", &g2Tag_, {"generate G1", "generate G2", "generate G3", "generate G4", "tag P", "tag G4"}},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(BuildScene());
    g_freeWhileGenerating = *c.victim;  // G1 runs first and frees it
    ASSERT_TRUE(Scene().EvaluateDocument(doc_)) << c.what;
    EXPECT_EQ(Calls(), c.calls) << c.what;
    EXPECT_EQ(g_freeWhileGenerating, nullptr) << c.what;
    EXPECT_TRUE(TakeReports().empty()) << c.what;
  }
}

TEST_F(EvaluationTest, TheHostFreesTheNodesGeneratorsHandBack) {
  g_generatorsReturnNodes = true;
  const std::size_t live = LiveNodes();
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_EQ(LiveNodes(), live) << "no generated node is left behind";
  EXPECT_EQ(Scene().Objects(doc_).size(), 5u) << "nor inserted";
}

TEST_F(EvaluationTest, ANodeTheGeneratorDoesNotOwnIsReportedAndLeftAlone) {
  struct Case {
    const char* what;
    scn::SceneNode* const* returned;
  };
  for (const Case& c :
       {Case{"itself", &g1_}, Case{"an inserted object", &g4_}, Case{"a tag on an object", &pTag_}}) {
    ASSERT_NO_FATAL_FAILURE(BuildScene());
    scn::SceneNode* returned = *c.returned;
    const scn::Int64 id = scn::GetNodeId(returned);
    g_generatorReturns = returned;
    ASSERT_TRUE(Scene().EvaluateDocument(doc_)) << c.what;
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u) << c.what;
    EXPECT_NE(reports[0].find("EvaluateGenerator"), std::string::npos) << reports[0];
    EXPECT_EQ(scn::ResolveLinkValue(doc_, id), returned) << c.what << " is still in the document";
    EXPECT_EQ(Calls(), kOneEvaluation) << c.what;
  }
}

TEST_F(EvaluationTest, ANodeFreedBeforeItIsHandedBackIsReported) {
  scn::SceneNode* freed = scn::AllocatePolygonObject(0, 0);
  g_generatorReturns = freed;
  scn::FreeSceneNode(freed);
  const std::size_t live = LiveNodes();
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_EQ(TakeReports().size(), 1u);
  EXPECT_EQ(LiveNodes(), live);
  EXPECT_EQ(Calls(), kOneEvaluation);
}

TEST_F(EvaluationTest, OnlyKnownDocumentsAreEvaluatedAndOnlyOnTheMainThread) {
  scn::Document* gone = Scene().NewDocument();
  Scene().FreeDocument(gone);
  EXPECT_FALSE(Scene().EvaluateDocument(gone));
  EXPECT_FALSE(Scene().EvaluateDocument(nullptr));
  EXPECT_TRUE(TakeReports().empty()) << "the host's own calls: diagnostic lines only";

  bool evaluated = true;
  std::thread([this, &evaluated] { evaluated = Scene().EvaluateDocument(doc_); }).join();
  EXPECT_FALSE(evaluated);
  EXPECT_EQ(TakeReports().size(), 1u);
  EXPECT_TRUE(g_log.empty());
}

void SetPriority(scn::SceneNode* tag, scn::Int32 id, scn::Int32 priority) {
  scn::GetNodeContainer(tag)->SetInt32(id, priority);
}

const Log kGenerators = {"generate G1", "generate G2", "generate G3", "generate G4"};

TEST_F(EvaluationTest, TagsRunLowestPriorityFirstAfterEveryGenerator) {
  struct Case {
    const char* what;
    std::optional<scn::Int32> p, g2, g4;  // none: the slot adds nothing
    Log tags;
  };
  const Case cases[] = {
      {"all default", {}, {}, {}, {"tag P", "tag G2", "tag G4"}},
      {"one late", 5000, {}, {}, {"tag G2", "tag G4", "tag P at 5000"}},
      {"one early", {}, {}, -10, {"tag G4 at -10", "tag P", "tag G2"}},
      {"all apart", 3, 1, 2, {"tag G2 at 1", "tag G4 at 2", "tag P at 3"}},
      {"equal keep hierarchy order", 7, 7, 7, {"tag P at 7", "tag G2 at 7", "tag G4 at 7"}},
      {"the default added by hand", 0, {}, -1, {"tag G4 at -1", "tag P", "tag G2"}},
  };
  for (const Case& c : cases) {
    ASSERT_NO_FATAL_FAILURE(BuildScene());
    if (c.p) SetPriority(pTag_, kTagPriority, *c.p);
    if (c.g2) SetPriority(g2Tag_, kTagPriority, *c.g2);
    if (c.g4) SetPriority(g4Tag_, kTagPriority, *c.g4);
    ASSERT_TRUE(Scene().EvaluateDocument(doc_)) << c.what;
    Log expected = kGenerators;
    expected.insert(expected.end(), c.tags.begin(), c.tags.end());
    EXPECT_EQ(Calls(), expected) << c.what;
    EXPECT_TRUE(TakeReports().empty()) << c.what;
  }
}

TEST_F(EvaluationTest, ATagRunsOnceForEachPriorityItAdded) {
  SetPriority(pTag_, kTagPriority, 10);
  SetPriority(pTag_, kTagSecondPriority, -5);
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  Log expected = kGenerators;
  for (const char* line : {"tag P at -5", "tag G2", "tag G4", "tag P at 10"}) expected.push_back(line);
  EXPECT_EQ(Calls(), expected);
  // The entries belong to one evaluation.
  g_log.clear();
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_EQ(Calls(), expected);
}

TEST_F(EvaluationTest, WhatATagFreesIsNotExecutedAfterwards) {
  SetPriority(pTag_, kTagPriority, 5000);
  SetPriority(g2Tag_, kTagPriority, 6000);
  g_freeWhileExecuting = p_;  // G4's tag runs first and frees P with its tag, G2 and G2's tag
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  Log expected = kGenerators;
  expected.push_back("tag G4");
  EXPECT_EQ(Calls(), expected);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(EvaluationTest, AddingToThePriorityListOutsideTheTagsOwnSlotIsReported) {
  EXPECT_FALSE(scn::AddToPriorityList(pTag_, 5000, 0)) << "no evaluation is asking";
  EXPECT_EQ(TakeReports().size(), 1u);

  bool added = true;
  std::thread([this, &added] { added = scn::AddToPriorityList(pTag_, 5000, 0); }).join();
  EXPECT_FALSE(added);
  EXPECT_EQ(TakeReports().size(), 1u);

  // P's slot adds G4's tag: refused, and P runs at the default as a tag that added nothing.
  SetPriority(pTag_, kTagPriority, 5000);
  g_addInstead = g4Tag_;
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  const auto reports = TakeReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("AddToPriorityList"), std::string::npos) << reports[0];
  Log expected = kGenerators;
  for (const char* line : {"tag P", "tag G2", "tag G4"}) expected.push_back(line);
  EXPECT_EQ(Calls(), expected);
}

}  // namespace
}  // namespace scenetest
