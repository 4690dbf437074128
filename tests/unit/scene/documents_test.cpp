// Documents, their time and the object hierarchy; freeing nodes and documents; null and dead arguments.
#include <functional>

#include "scenetest.h"

namespace scenetest {
namespace {

class DocumentsTest : public SceneTest {};

TEST_F(DocumentsTest, TheFirstDocumentIsActiveAndFreeingTheActiveOneActivatesTheNext) {
  scn::Document* second = Scene().NewDocument(60);
  EXPECT_EQ(scn::GetActiveDocument(), doc_);
  Scene().SetActiveDocument(second);
  EXPECT_EQ(scn::GetActiveDocument(), second);
  Scene().FreeDocument(second);
  EXPECT_EQ(scn::GetActiveDocument(), doc_);
  Scene().FreeDocument(doc_);
  EXPECT_EQ(scn::GetActiveDocument(), nullptr);
  EXPECT_EQ(Scene().NewDocument(0), nullptr) << "a frame rate below 1";
}

TEST_F(DocumentsTest, AFrameIsItsNumberOverTheFrameRate) {
  struct Case {
    int fps, frame;
  };
  for (const Case c : {Case{30, 0}, Case{30, 45}, Case{60, 7}, Case{25, -3}}) {
    scn::Document* doc = Scene().NewDocument(c.fps);
    Scene().SetDocumentFrame(doc, c.frame);
    const scn::TimeValue t = scn::GetDocumentTime(doc);
    EXPECT_EQ(scn::GetDocumentFps(doc), c.fps);
    EXPECT_EQ(t.numerator, c.frame) << c.fps << " fps, frame " << c.frame;
    EXPECT_EQ(t.denominator, c.fps);
  }
  EXPECT_EQ(scn::GetDocumentFps(doc_), 30) << "default frame rate";
}

TEST_F(DocumentsTest, RateAndRangeRefuseWhatCannotPlay) {
  EXPECT_FALSE(scn::SetDocumentFps(doc_, 0));
  EXPECT_TRUE(scn::SetDocumentFps(doc_, 24));
  EXPECT_EQ(scn::GetDocumentFps(doc_), 24);
  scn::Int32 first = -1, last = -1;
  ASSERT_TRUE(scn::GetDocumentRange(doc_, &first, &last));
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 90);
  EXPECT_FALSE(scn::SetDocumentRange(doc_, 10, 9));
  EXPECT_TRUE(scn::SetDocumentRange(doc_, -5, -5));
  ASSERT_TRUE(scn::GetDocumentRange(doc_, &first, &last));
  EXPECT_EQ(first, -5);
  EXPECT_EQ(last, -5);
}

TEST_F(DocumentsTest, ATimeWithoutAPositiveDenominatorIsRefused) {
  Scene().SetDocumentTime(doc_, {3, 2});
  Scene().SetDocumentTime(doc_, {5, 0});
  EXPECT_EQ(scn::GetDocumentTime(doc_).numerator, 3);
  EXPECT_EQ(scn::GetDocumentTime(doc_).denominator, 2);
}

TEST_F(DocumentsTest, ThePathIsEmptyUntilSavedAndTheSettingsKeepTheirValues) {
  EXPECT_TRUE(scn::GetDocumentPath(doc_).IsEmpty());
  Scene().SetDocumentPath(doc_, temp_ / "scenes");
  EXPECT_EQ(scn::GetDocumentPath(doc_).GetString(), (temp_ / "scenes").generic_string());
  scn::GetDocumentContainer(doc_)->SetInt32(5, 9);
  EXPECT_EQ(scn::GetDocumentContainer(doc_)->GetInt32(5), 9);
}

TEST_F(DocumentsTest, TheHierarchyWalksDepthFirstInInsertionOrder) {
  scn::SceneNode* a = Insert(scn::kTypeNull, "A");
  scn::SceneNode* b = Insert(scn::kTypeNull, "B");
  scn::SceneNode* a1 = Insert(scn::kTypeNull, "A1", a);
  scn::SceneNode* a2 = Insert(scn::kTypeCamera, "A2", a);
  scn::SceneNode* a1a = Insert(scn::kTypePolygonObject, "A1a", a1);
  ASSERT_TRUE(a && b && a1 && a2 && a1a);

  EXPECT_EQ(Scene().Objects(doc_), (std::vector<scn::SceneNode*>{a, a1, a1a, a2, b}));
  EXPECT_EQ(scn::GetFirstObject(doc_), a);
  EXPECT_EQ(scn::GetNextNode(a), b);
  EXPECT_EQ(scn::GetNextNode(b), nullptr);
  EXPECT_EQ(scn::GetFirstChild(a), a1);
  EXPECT_EQ(scn::GetNextNode(a1), a2);
  EXPECT_EQ(scn::GetFirstChild(a1), a1a);
  EXPECT_EQ(Scene().FindObject(doc_, "A1a"), a1a);
  EXPECT_EQ(Scene().FindObject(doc_, "C"), nullptr);

  scn::SceneNode* tag = scn::MakeTag(a1a, scn::kTagPhong);
  EXPECT_EQ(scn::GetNodeDocument(a1a), doc_);
  EXPECT_EQ(scn::GetNodeDocument(tag), doc_);
  EXPECT_EQ(scn::GetTagObject(tag), a1a);
  EXPECT_EQ(scn::GetNodeType(a2), scn::kTypeCamera);
}

TEST_F(DocumentsTest, NewNodesBelongToTheCallerUntilInserted) {
  scn::SceneNode* object = scn::AllocateObject(scn::kTypeNull);
  scn::SceneNode* tag = scn::MakeTag(object, scn::kTagPhong);
  EXPECT_EQ(scn::GetNodeDocument(object), nullptr);
  EXPECT_EQ(scn::GetNodeDocument(tag), nullptr);
  ASSERT_TRUE(scn::InsertObject(doc_, object));
  EXPECT_EQ(scn::GetNodeDocument(tag), doc_);
  EXPECT_NE(scn::GetNodeId(object), scn::GetNodeId(tag));
}

TEST_F(DocumentsTest, UnknownTypesGiveNoNode) {
  EXPECT_EQ(scn::AllocateObject(4242), nullptr);
  EXPECT_EQ(scn::AllocateObject(scn::kTagUVW), nullptr) << "a tag type is no object";
  EXPECT_EQ(scn::AllocateShader(scn::kTypeMaterial), nullptr);
  EXPECT_EQ(scn::AllocateMaterial(kTestShaderType), nullptr);
  EXPECT_TRUE(TakeReports().empty()) << "unknown types are answers, not misbehaviour";
}

TEST_F(DocumentsTest, InsertingTwiceOrUnderAnotherDocumentsParentIsRefused) {
  scn::SceneNode* a = Insert(scn::kTypeNull, "A");
  scn::Document* other = Scene().NewDocument();
  EXPECT_FALSE(scn::InsertObject(other, a)) << "already in a document";
  scn::SceneNode* loose = scn::AllocateObject(scn::kTypeNull);
  EXPECT_FALSE(scn::InsertObject(other, loose, a));
  EXPECT_EQ(TakeReports().size(), 2u);
  EXPECT_EQ(Scene().Objects(other).size(), 0u);
  EXPECT_TRUE(scn::InsertObject(other, loose)) << "a refused node stays the caller's";
}

TEST_F(DocumentsTest, FreeingANodeTakesItOutAndFreesItsChildrenAndTags) {
  scn::SceneNode* a = Insert(kPlainType, "A");
  scn::SceneNode* b = Insert(kPlainType, "B", a);
  scn::SceneNode* c = Insert(kPlainType, "C", b);
  scn::SceneNode* d = Insert(scn::kTypeNull, "D", a);
  scn::MakeTag(c, kTestTagType);
  scn::NodeLink* toC = scn::AllocateLink();
  scn::SetLink(toC, c);
  g_log.clear();

  scn::FreeSceneNode(b);
  EXPECT_EQ(b, nullptr) << "the sdk clears the caller's pointer";
  EXPECT_EQ(Scene().Objects(doc_), (std::vector<scn::SceneNode*>{a, d}));
  EXPECT_EQ(scn::GetFirstChild(a), d);
  EXPECT_EQ(scn::GetLinkTarget(toC, doc_), nullptr);
  // Below first, each released where it is inserted, then destroyed.
  EXPECT_EQ(g_log,
            (std::vector<std::string>{"release tag of C", "release C", "destroy", "release B", "destroy"}));
  EXPECT_EQ(H().memory().LiveBlocksAt(kSite), 1u) << "only A's data is left";
  scn::FreeLink(toC);
}

TEST_F(DocumentsTest, EndingTheServiceFreesEveryPluginNode) {
  Insert(kPlainType, "inserted");
  scn::SceneNode* loose = scn::AllocateObject(kPlainType);
  scn::SetNodeName(loose, "loose");
  g_log.clear();
  RestartHost();
  EXPECT_EQ(g_log, (std::vector<std::string>{"release inserted", "destroy", "release loose", "destroy"}));
}

TEST_F(DocumentsTest, NullAndDeadArgumentsAreReportedAndAnsweredEmpty) {
  scn::SceneNode* dead = scn::AllocateObject(scn::kTypeNull);
  scn::SceneNode* freed = dead;
  scn::FreeSceneNode(freed);
  scn::NodeLink* link = scn::AllocateLink();
  scn::Value value;
  const std::vector<std::pair<const char*, std::function<bool()>>> calls = {
      {"GetNodeDocument", [] { return scn::GetNodeDocument(nullptr) == nullptr; }},
      {"GetDocumentFps", [] { return scn::GetDocumentFps(nullptr) == 0; }},
      {"GetDocumentContainer", [] { return scn::GetDocumentContainer(nullptr) == nullptr; }},
      {"InsertObject", [this] { return !scn::InsertObject(doc_, nullptr); }},
      {"GetFirstObject", [] { return scn::GetFirstObject(nullptr) == nullptr; }},
      {"GetNextNode", [] { return scn::GetNextNode(nullptr) == nullptr; }},
      {"GetNodeType", [dead] { return scn::GetNodeType(dead) == 0; }},
      {"GetNodeName", [dead] { return scn::GetNodeName(dead).empty(); }},
      {"GetNodeContainer", [] { return scn::GetNodeContainer(nullptr) == nullptr; }},
      {"CloneNode", [dead] { return scn::CloneNode(dead) == nullptr; }},
      {"SendNodeMessage", [] { return !scn::SendNodeMessage(nullptr, scn::kMsgUpdate); }},
      {"SetParameter", [] { return !scn::SetParameter(nullptr, 1, scn::Int32{1}); }},
      {"GetParameter", [&value] { return !scn::GetParameter(nullptr, 1, &value); }},
      {"GetLocalMatrix", [] { return scn::GetLocalMatrix(nullptr) == scn::Matrix{}; }},
      {"MakeTag", [] { return scn::MakeTag(nullptr, scn::kTagPhong) == nullptr; }},
      {"GetPointsW", [] { return scn::GetPointsW(nullptr) == nullptr; }},
      {"ResizePolygonObject", [dead] { return !scn::ResizePolygonObject(dead, 1, 1); }},
      {"InsertShader", [] { return !scn::InsertShader(nullptr, nullptr); }},
      {"SetLink",
       [link, dead] {
         scn::SetLink(link, dead);
         return true;
       }},
      {"GetLinkTarget", [] { return scn::GetLinkTarget(nullptr, nullptr) == nullptr; }},
      {"WriteObjectRecord", [] { return !scn::WriteObjectRecord(nullptr, nullptr); }},
      {"OpenUndoStep", [] { return !scn::OpenUndoStep(nullptr); }},
      {"RecordUndo", [this] { return !scn::RecordUndo(doc_, scn::kUndoNewNode, nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_TRUE(call()) << name;
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_NE(reports[0].find(name), std::string::npos) << reports[0];
  }
  scn::FreeSceneNode(freed);  // null: ignored
  EXPECT_TRUE(TakeReports().empty());
  scn::FreeLink(link);
}

}  // namespace
}  // namespace scenetest
