// Links: resolving, dying with their node, documents and types, copies, records and link parameters.
#include "files/recordfile.h"
#include "scenetest.h"

namespace scenetest {
namespace {

class LinksTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    link_ = scn::AllocateLink();
  }
  void TearDown() override {
    scn::FreeLink(link_);
    SceneTest::TearDown();
  }
  scn::NodeLink* link_ = nullptr;
};

TEST_F(LinksTest, ALinkResolvesInItsDocumentAndForItsType) {
  scn::SceneNode* camera = Insert(scn::kTypeCamera, "camera");
  scn::SetLink(link_, camera);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), camera);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_, scn::kTypeCamera), camera);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_, scn::kTypePolygonObject), nullptr) << "another type";
  scn::Document* other = Scene().NewDocument();
  EXPECT_EQ(scn::GetLinkTarget(link_, other), nullptr) << "another document";
  EXPECT_EQ(scn::GetLinkTarget(link_, nullptr), nullptr) << "the node is in a document";
}

TEST_F(LinksTest, ALinkToANodeInNoDocumentResolvesWithoutADocument) {
  scn::SceneNode* loose = scn::AllocateObject(scn::kTypeNull);
  scn::SetLink(link_, loose);
  EXPECT_EQ(scn::GetLinkTarget(link_, nullptr), loose);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), nullptr);
  scn::InsertObject(doc_, loose);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), loose);
}

TEST_F(LinksTest, ALinkDiesWithItsNodeAndWithItsNodesParent) {
  scn::SceneNode* parent = Insert(scn::kTypeNull, "parent");
  scn::SceneNode* child = Insert(scn::kTypeNull, "child", parent);
  scn::NodeLink* toParent = scn::AllocateLink();
  scn::SetLink(toParent, parent);
  scn::SetLink(link_, child);
  scn::FreeSceneNode(parent);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), nullptr);
  EXPECT_EQ(scn::GetLinkTarget(toParent, doc_), nullptr);
  // Ids are never reused, so the dead link stays dead.
  Insert(scn::kTypeNull, "new");
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), nullptr);
  scn::FreeLink(toParent);
}

TEST_F(LinksTest, ACopyFollowsTheSameNodeAndClearingLinksNowhere) {
  scn::SceneNode* node = Insert(scn::kTypeNull, "node");
  scn::SetLink(link_, node);
  scn::NodeLink* copy = scn::AllocateLink();
  ASSERT_TRUE(scn::CopyLink(copy, link_));
  scn::SetLink(link_, nullptr);
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), nullptr);
  EXPECT_EQ(scn::GetLinkTarget(copy, doc_), node);
  scn::FreeLink(copy);
  EXPECT_EQ(copy, nullptr);
}

TEST_F(LinksTest, ALinkRoundTripsThroughARecord) {
  scn::SceneNode* node = Insert(scn::kTypeNull, "node");
  scn::SetLink(link_, node);
  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteLinkRecord(out.get(), link_));
  ASSERT_TRUE(scn::WriteRecordInt32(out.get(), 77));

  auto in = host::RecordFile::ForReading(host::RecordFile::Bytes(*out));
  scn::NodeLink* read = scn::AllocateLink();
  ASSERT_TRUE(scn::ReadLinkRecord(in.get(), read));
  EXPECT_EQ(scn::GetLinkTarget(read, doc_), node);
  scn::Int32 after = 0;
  ASSERT_TRUE(scn::ReadRecordInt32(in.get(), &after));
  EXPECT_EQ(after, 77) << "the link took exactly its own values";
  scn::FreeLink(read);
}

TEST_F(LinksTest, AShortRecordLeavesTheLinkAsItWas) {
  scn::SceneNode* node = Insert(scn::kTypeNull, "node");
  scn::SetLink(link_, node);
  auto out = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteRecordInt32(out.get(), 0));  // the high word only
  auto in = host::RecordFile::ForReading(host::RecordFile::Bytes(*out));
  EXPECT_FALSE(scn::ReadLinkRecord(in.get(), link_));
  EXPECT_EQ(scn::GetLinkTarget(link_, doc_), node);
}

TEST_F(LinksTest, ALinkParameterResolvesToTheTexturedMaterial) {
  scn::SceneNode* mesh = Insert(scn::kTypePolygonObject, "mesh");
  scn::SceneNode* material = scn::AllocateMaterial();
  ASSERT_TRUE(scn::InsertMaterial(doc_, material));
  scn::SceneNode* texture = scn::MakeTag(mesh, scn::kTagTexture);
  ASSERT_TRUE(
      scn::SetParameter(texture, scn::kTextureTagMaterial, scn::NodeLinkValue{scn::GetNodeId(material)}));

  scn::Value value;
  ASSERT_TRUE(scn::GetParameter(texture, scn::kTextureTagMaterial, &value));
  const scn::Int64 id = std::get<scn::NodeLinkValue>(value).nodeId;
  EXPECT_EQ(scn::ResolveLinkValue(doc_, id, scn::kTypeMaterial), material);
  EXPECT_EQ(scn::ResolveLinkValue(doc_, id, scn::kTypePolygonObject), nullptr);
  EXPECT_EQ(scn::ResolveLinkValue(doc_, 0, 0), nullptr);
  EXPECT_EQ(scn::GetNodeDocument(material), doc_);
}

TEST_F(LinksTest, FreeingALinkTwiceIsReported) {
  scn::NodeLink* link = scn::AllocateLink();
  scn::NodeLink* again = link;
  scn::FreeLink(link);
  scn::FreeLink(again);
  ASSERT_EQ(TakeReports().size(), 1u);
}

}  // namespace
}  // namespace scenetest
