// Node graph tests: a source object whose weight drives a target's parameter through a range mapper, in a
// node-graph tag on a third object.
#pragma once

#include "animationtest.h"

namespace animationtest {

inline constexpr scn::Int32 kWeight = 2100;  // the source's parameter
inline constexpr scn::Int32 kDriven = 500;   // the target's parameter

class GraphTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(BuildScene());
  }

  void BuildScene() {
    source_ = Insert(scn::kTypeNull, "source");
    target_ = Insert(scn::kTypeNull, "target");
    holder_ = Insert(scn::kTypeNull, "holder");
    ASSERT_TRUE(source_ && target_ && holder_);
    scn::GetNodeContainer(source_)->SetFloat(kWeight, 0.0);
    scn::GetNodeContainer(target_)->SetFloat(kDriven, -1.0);
    graphTag_ = scn::MakeTag(holder_, scn::kTagNodeGraph);
    master_ = scn::GetNodeMaster(graphTag_);
    ASSERT_NE(master_, nullptr);
    sourceNode_ = ObjectNode(source_, 500, 200);
    targetNode_ = ObjectNode(target_, 0, 200);
    mapper_ = scn::CreateGraphNode(master_, scn::kGraphNodeRangeMapper, 250, 200, "eyeBlink_L Range Mapper");
    ASSERT_TRUE(sourceNode_ && targetNode_ && mapper_);
    sourceOut_ = scn::AddGraphPort(sourceNode_, false, kWeight);
    targetIn_ = scn::AddGraphPort(targetNode_, true, kDriven);
    ASSERT_TRUE(sourceOut_ && targetIn_);
    ASSERT_TRUE(scn::ConnectPorts(sourceOut_, MapperIn(mapper_)));
    ASSERT_TRUE(scn::ConnectPorts(MapperOut(mapper_), targetIn_));
  }

  scn::SceneNode* ObjectNode(scn::SceneNode* linked, double x, double y) {
    scn::SceneNode* node = scn::CreateGraphNode(master_, scn::kGraphNodeObject, x, y);
    if (!node || !scn::LinkGraphNode(node, linked, scn::kPortSetParameters, 3)) return nullptr;
    return node;
  }
  static scn::GraphPort* MapperIn(scn::SceneNode* mapper) { return scn::GetGraphPort(mapper, true, 0); }
  static scn::GraphPort* MapperOut(scn::SceneNode* mapper) { return scn::GetGraphPort(mapper, false, 0); }

  // Sets the source's weight, evaluates, and gives the target's driven value.
  double Drive(double weight) {
    scn::GetNodeContainer(source_)->SetFloat(kWeight, weight);
    EXPECT_TRUE(Scene().EvaluateDocument(doc_));
    return scn::GetNodeContainer(target_)->GetFloat(kDriven);
  }

  scn::SceneNode *source_ = nullptr, *target_ = nullptr, *holder_ = nullptr, *graphTag_ = nullptr;
  scn::NodeMaster* master_ = nullptr;
  scn::SceneNode *sourceNode_ = nullptr, *targetNode_ = nullptr, *mapper_ = nullptr;
  scn::GraphPort *sourceOut_ = nullptr, *targetIn_ = nullptr;
};

}  // namespace animationtest
