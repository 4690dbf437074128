// The character-animation library: numbered poses of a polygon object, their strength parameters,
// committing them into the object's points, targets collected from the object's hierarchy, a graph
// driving a strength, and a host without the library.
#include "scn/charanimation.h"

#include "graphtest.h"

namespace animationtest {
namespace {

class CharacterAnimationTest : public GraphTest {
 protected:
  void SetUp() override {
    GraphTest::SetUp();
    face_ = Mesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2, 2}});
    scn::SetNodeName(face_, "face");
    ASSERT_TRUE(scn::InsertObject(doc_, face_));
  }

  std::vector<scn::Vector> Points(scn::SceneNode* mesh) {
    return {scn::GetPointsW(mesh), scn::GetPointsW(mesh) + scn::GetPointCount(mesh)};
  }

  // Poses "up" (point 1 raised by 2) and "out" (point 2 moved by 4 in z) on the face.
  void TwoPoses() {
    ASSERT_NE(scn::MakePoseMorphTag(face_, doc_), nullptr);
    ASSERT_EQ(scn::AddPose(face_, "up"), 0);
    ASSERT_EQ(scn::AddPose(face_, "out"), 1);
    scn::GetPosePointsW(face_, 0)[1].y += 2;
    scn::GetPosePointsW(face_, 1)[2].z += 4;
  }

  scn::SceneNode* face_ = nullptr;
};

TEST_F(CharacterAnimationTest, PosesAreNumberedAndTheirStrengthsAreParametersOfThePoseTag) {
  EXPECT_EQ(scn::GetPoseCount(face_), 0);
  EXPECT_EQ(scn::AddPose(face_, "up"), -1) << "no pose morph tag yet";
  scn::SceneNode* tag = scn::MakePoseMorphTag(face_, doc_);
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(scn::GetNodeType(tag), scn::kTagPoseMorph);
  EXPECT_EQ(scn::MakePoseMorphTag(face_, doc_), tag) << "an object has one";
  for (const char* name : {"eyeBlink_L", "eyeBlink_R", "jawOpen"}) scn::AddPose(face_, name);
  EXPECT_EQ(scn::GetPoseCount(face_), 3);
  EXPECT_EQ(scn::FindPose(face_, "jawOpen"), 2);
  EXPECT_EQ(scn::FindPose(face_, "tongueOut"), -1);
  EXPECT_EQ(scn::GetPoseName(face_, 1), "eyeBlink_R");
  EXPECT_EQ(scn::GetPoseName(face_, 3), "");

  EXPECT_EQ(scn::PoseStrengthId(0), 1001);
  EXPECT_EQ(scn::PoseStrengthId(2), 1201);
  ASSERT_TRUE(scn::SetPoseStrength(face_, 2, 0.4));
  EXPECT_EQ(scn::GetNodeContainer(tag)->GetFloat(1201), 0.4) << "pose 2's strength lives at 2 * 100 + 1001";
  ASSERT_TRUE(scn::SetParameter(tag, 1101, scn::Float64(0.7)));
  scn::Float64 strength = 0;
  ASSERT_TRUE(scn::GetPoseStrength(face_, 1, &strength));
  EXPECT_EQ(strength, 0.7);
  ASSERT_TRUE(scn::SetPoseStrength(face_, 0, 1.8));
  ASSERT_TRUE(scn::GetPoseStrength(face_, 0, &strength));
  EXPECT_EQ(strength, 1.0) << "strengths are 0..1";
  EXPECT_FALSE(scn::SetPoseStrength(face_, 3, 0.5)) << "no pose 3";
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(CharacterAnimationTest, ACommitMovesThePointsByTheWeightedPoseOffsets) {
  ASSERT_NO_FATAL_FAILURE(TwoPoses());
  scn::SetPoseStrength(face_, 0, 0.5);
  scn::SetPoseStrength(face_, 1, 0.25);
  ASSERT_TRUE(scn::CommitPoses(face_, doc_));
  EXPECT_EQ(Points(face_), (std::vector<scn::Vector>{{0, 0, 0}, {1, 1, 0}, {0, 1, 1}}));
  scn::SetPoseStrength(face_, 0, 0);
  ASSERT_TRUE(scn::CommitPoses(face_, doc_));
  EXPECT_EQ(Points(face_), (std::vector<scn::Vector>{{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}))
      << "from the base again";

  ASSERT_TRUE(scn::ResizePolygonObject(face_, 4, 1));
  EXPECT_FALSE(scn::CommitPoses(face_, doc_)) << "the points no longer fit the poses";
  EXPECT_EQ(scn::GetPointCount(face_), 4);
  EXPECT_TRUE(H().diagnostics().Contains("CommitPoses"));
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(CharacterAnimationTest, PoseTargetsAreCollectedFromTheHierarchyAndReadAgain) {
  auto child = [this](const char* name, scn::SceneNode* parent, std::vector<scn::Vector> points) {
    scn::SceneNode* m = Mesh(points, {});
    scn::SetNodeName(m, name);
    EXPECT_TRUE(scn::InsertObject(doc_, m, parent));
    return m;
  };
  scn::SceneNode* smile = child("smile", face_, {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}});
  child("deep", smile, {{0, 0, 2}, {1, 0, 2}, {0, 1, 2}});
  child("wrong size", face_, {{0, 0, 0}});
  scn::SceneNode* null = Insert(scn::kTypeNull, "null", face_);
  ASSERT_NE(null, nullptr);

  EXPECT_EQ(scn::AddPoseTargets(face_, doc_, scn::kTypePolygonObject, 1), 1) << "children only";
  EXPECT_EQ(scn::GetPoseName(face_, 0), "smile");
  EXPECT_EQ(scn::GetPosePointsW(face_, 0)[2], (scn::Vector{0, 1, 1}));
  EXPECT_EQ(scn::AddPoseTargets(face_, doc_, scn::kTypePolygonObject, -1), 1)
      << "every depth, new names only";
  EXPECT_EQ(scn::FindPose(face_, "deep"), 1);
  EXPECT_EQ(scn::AddPoseTargets(face_, doc_, scn::kTypeCamera, 1), 0) << "no camera below";
  EXPECT_EQ(scn::AddPoseTargets(face_, doc_, 3055, -1), 0);

  scn::GetPointsW(smile)[0] = {5, 5, 5};
  EXPECT_EQ(scn::UpdatePoseTargets(face_, doc_, scn::kTypePolygonObject, 1), 1);
  EXPECT_EQ(scn::GetPosePointsW(face_, 0)[0], (scn::Vector{5, 5, 5}));
  EXPECT_EQ(scn::AddPoseTargets(null, doc_, scn::kTypePolygonObject, 1), -1) << "a null takes no poses";
  EXPECT_EQ(scn::UpdatePoseTargets(target_, doc_, scn::kTypePolygonObject, 1), -1);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(CharacterAnimationTest, AGraphDrivesAPoseStrengthOfTheTargetObject) {
  ASSERT_NO_FATAL_FAILURE(TwoPoses());
  scn::SceneNode* faceNode = ObjectNode(face_, 0, 400);
  scn::GraphPort* strength = scn::AddGraphPort(
      faceNode, true, scn::PoseStrengthId(scn::FindPose(face_, "up")), scn::kSubIdPoseStrength);
  ASSERT_TRUE(scn::ConnectPorts(MapperOut(mapper_), strength));
  Drive(0.75);
  scn::Float64 s = 0;
  ASSERT_TRUE(scn::GetPoseStrength(face_, 0, &s));
  EXPECT_EQ(s, 0.75);
  ASSERT_TRUE(scn::CommitPoses(face_, doc_));
  EXPECT_EQ(Points(face_)[1], (scn::Vector{1, 1.5, 0}));

  // A track on the strength animates it the same way.
  ASSERT_TRUE(Keyed(scn::GetFirstTag(face_, scn::kTagPoseMorph), scn::PoseStrengthId(1),
                    scn::kSubIdPoseStrength, {{0, 0.0}, {10, 1.0}}));
  EvaluateAt(5);
  ASSERT_TRUE(scn::GetPoseStrength(face_, 1, &s));
  EXPECT_EQ(s, 0.5);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(CharacterAnimationTest, PosesGoThroughTheObjectsRecordAndIntoClones) {
  ASSERT_NO_FATAL_FAILURE(TwoPoses());
  scn::SetPoseStrength(face_, 1, 0.5);
  for (scn::SceneNode* copy : {RoundTrip(face_), scn::CloneNode(face_)}) {
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(scn::GetPoseCount(copy), 2);
    EXPECT_EQ(scn::GetPoseName(copy, 1), "out");
    EXPECT_EQ(scn::GetPosePointsW(copy, 0)[1], (scn::Vector{1, 2, 0}));
    scn::Float64 s = 0;
    ASSERT_TRUE(scn::GetPoseStrength(copy, 1, &s));
    EXPECT_EQ(s, 0.5);
    ASSERT_TRUE(scn::CommitPoses(copy, nullptr));
    EXPECT_EQ(Points(copy)[2], (scn::Vector{0, 1, 2}));
    scn::FreeSceneNode(copy);
  }
  EXPECT_EQ(Points(face_)[2], (scn::Vector{0, 1, 0})) << "the original is not committed";
}

TEST_F(CharacterAnimationTest, WithoutTheLibraryEveryCallYieldsNothing) {
  ASSERT_NO_FATAL_FAILURE(TwoPoses());
  H().SetLibraryMissing(scn::kLibCharacterAnimation, true);
  scn::Float64 s = 9;
  EXPECT_EQ(scn::MakePoseMorphTag(face_, doc_), nullptr);
  EXPECT_EQ(scn::AddPose(face_, "x"), -1);
  EXPECT_EQ(scn::FindPose(face_, "up"), -1);
  EXPECT_EQ(scn::GetPoseCount(face_), 0);
  EXPECT_EQ(scn::GetPoseName(face_, 0), "");
  EXPECT_EQ(scn::GetPosePointsW(face_, 0), nullptr);
  EXPECT_FALSE(scn::GetPoseStrength(face_, 0, &s));
  EXPECT_EQ(s, 9);
  EXPECT_FALSE(scn::SetPoseStrength(face_, 0, 1));
  EXPECT_EQ(scn::AddPoseTargets(face_, doc_, scn::kTypeCamera, 1), -1);
  EXPECT_EQ(scn::UpdatePoseTargets(face_, doc_, 3055, -1), -1);
  EXPECT_FALSE(scn::CommitPoses(face_, doc_));
  H().SetLibraryMissing(scn::kLibCharacterAnimation, false);
  EXPECT_EQ(scn::GetPoseCount(face_), 2) << "the poses stayed";
}

TEST_F(CharacterAnimationTest, FreedObjectsAndOtherNodesAreReported) {
  scn::SceneNode* loose = scn::AllocatePolygonObject(1, 0);
  scn::SceneNode* freed = loose;
  scn::FreeSceneNode(loose);
  EXPECT_EQ(scn::MakePoseMorphTag(freed, doc_), nullptr);
  EXPECT_EQ(TakeReports().size(), 1u);
  EXPECT_EQ(scn::GetPoseCount(graphTag_), 0) << "a tag is no object";
  EXPECT_EQ(TakeReports().size(), 1u);
  EXPECT_EQ(scn::MakePoseMorphTag(target_, doc_), nullptr) << "a null has no points: an answer";
  EXPECT_TRUE(TakeReports().empty());
}

}  // namespace
}  // namespace animationtest
