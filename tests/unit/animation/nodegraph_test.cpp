// Node graphs: a range mapper driving a target's parameter from a source's, its ranges and clamping, the
// place of graphs in an evaluation, the layout calls, refused connections and objects that are gone.
#include <functional>
#include <thread>

#include "graphtest.h"

namespace animationtest {
namespace {

TEST_F(GraphTest, ARangeMapperDrivesTheTargetFromTheSource) {
  EXPECT_DOUBLE_EQ(Drive(0.3), 0.3);
  EXPECT_DOUBLE_EQ(Drive(0.8), 0.8);
  // A track on the source is written first, and the graph follows it.
  ASSERT_TRUE(Keyed(source_, kWeight, 0, {{0, 0.0}, {10, 1.0}}));
  EvaluateAt(4);
  EXPECT_NEAR(scn::GetNodeContainer(target_)->GetFloat(kDriven), 0.4, 1e-12);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(GraphTest, TheRangeMapperMapsItsInputRangeOntoItsOutputRangeClamped) {
  struct Row {
    double inLow, inHigh, outLow, outHigh, in, out;
  };
  const std::vector<Row> rows = {
      {0, 1, 0, 1, 0.5, 0.5},     {0, 1, 0, 1, 1.5, 1.0},     {0, 1, 0, 1, -0.2, 0.0},
      {0, 1, 0, 100, 0.25, 25},   {0.2, 0.6, 0, 1, 0.4, 0.5}, {0.2, 0.6, 0, 1, 0.1, 0.0},
      {0.2, 0.6, 0, 1, 0.9, 1.0}, {0, 1, 1, 0, 0.25, 0.75},   {0, 1, 1, 0, 2.0, 0.0},
      {0, 2, -1, 1, 1.0, 0.0},    {1, 0, 0, 1, 0.25, 0.75},   {0.5, 0.5, 0, 1, 0.4, 0.0},
      {0.5, 0.5, 0, 1, 0.6, 1.0},
  };
  scn::Container& c = *scn::GetNodeContainer(mapper_);
  for (const Row& r : rows) {
    c.SetFloat(scn::kRangeMapperInputLow, r.inLow);
    c.SetFloat(scn::kRangeMapperInputHigh, r.inHigh);
    c.SetFloat(scn::kRangeMapperOutputLow, r.outLow);
    c.SetFloat(scn::kRangeMapperOutputHigh, r.outHigh);
    EXPECT_NEAR(Drive(r.in), r.out, 1e-12)
        << r.inLow << ".." << r.inHigh << " onto " << r.outLow << ".." << r.outHigh << " at " << r.in;
  }
}

TEST_F(GraphTest, NodesPortsAndConnectionsAreFoundAsTheyWereMade) {
  const scn::Container& c = *scn::GetNodeContainer(mapper_);
  EXPECT_EQ(c.GetFloat(scn::kRangeMapperInputLow, -1), 0.0);
  EXPECT_EQ(c.GetFloat(scn::kRangeMapperInputHigh), 1.0);
  EXPECT_EQ(c.GetFloat(scn::kRangeMapperOutputLow, -1), 0.0);
  EXPECT_EQ(c.GetFloat(scn::kRangeMapperOutputHigh), 1.0);

  EXPECT_EQ(scn::GetNodeName(sourceNode_), "source") << "mode 3 names the node after its object";
  EXPECT_EQ(scn::GetNodeName(mapper_), "eyeBlink_L Range Mapper");
  double x = 0, y = 0;
  ASSERT_TRUE(scn::GetGraphNodePosition(mapper_, &x, &y));
  EXPECT_EQ(std::pair(x, y), std::pair(250.0, 200.0));
  EXPECT_EQ(scn::GetFirstGraphNode(master_), sourceNode_);
  EXPECT_EQ(scn::GetNextNode(sourceNode_), targetNode_);
  EXPECT_EQ(scn::GetNextNode(targetNode_), mapper_);
  EXPECT_EQ(scn::GetNextNode(mapper_), nullptr);
  EXPECT_EQ(scn::FindGraphNode(master_, scn::kGraphNodeRangeMapper), mapper_);
  EXPECT_EQ(scn::FindGraphNode(master_, 0, "target"), targetNode_);
  EXPECT_EQ(scn::FindGraphNode(master_, scn::kGraphNodeRangeMapper, "target"), nullptr);
  EXPECT_EQ(scn::GetGraphNodeMaster(mapper_), master_);
  EXPECT_EQ(scn::GetNodeDocument(mapper_), doc_);
  EXPECT_EQ(scn::GetGraphNodeLink(sourceNode_, doc_), source_);
  EXPECT_EQ(scn::GetGraphNodeLink(mapper_, doc_), nullptr);

  EXPECT_EQ(scn::AddGraphPort(sourceNode_, false, kWeight), sourceOut_) << "one port per address";
  EXPECT_EQ(scn::FindGraphPort(targetNode_, true, kDriven), targetIn_);
  EXPECT_EQ(scn::FindGraphPort(targetNode_, false, kDriven), nullptr);
  EXPECT_EQ(scn::GetGraphPortCount(mapper_, true), 1);
  EXPECT_EQ(scn::GetGraphPortCount(mapper_, false), 1);
  EXPECT_EQ(scn::GetGraphPortCount(sourceNode_, true), 0);
  EXPECT_EQ(scn::GetPortNode(targetIn_), targetNode_);
  scn::Int32 id = 0, subId = -1;
  ASSERT_TRUE(scn::GetPortAddress(targetIn_, &id, &subId));
  EXPECT_EQ(std::pair(id, subId), std::pair(kDriven, 0));
  EXPECT_FALSE(scn::GetPortAddress(MapperIn(mapper_), &id, &subId))
      << "a range mapper port stands for no parameter";

  EXPECT_EQ(scn::GetPortConnection(targetIn_), MapperOut(mapper_));
  EXPECT_EQ(scn::GetPortConnection(sourceOut_), MapperIn(mapper_));
  EXPECT_EQ(scn::GetPortConnection(sourceOut_, 1), nullptr);
  // An output feeds any number of inputs; an input takes one connection, the last one made.
  scn::GraphPort* second = scn::AddGraphPort(targetNode_, true, kDriven + 1);
  ASSERT_TRUE(scn::ConnectPorts(sourceOut_, second));
  EXPECT_EQ(scn::GetPortConnection(sourceOut_, 0), second) << "in node order: the target node comes first";
  EXPECT_EQ(scn::GetPortConnection(sourceOut_, 1), MapperIn(mapper_));
  ASSERT_TRUE(scn::ConnectPorts(MapperOut(mapper_), second));
  EXPECT_EQ(scn::GetPortConnection(second), MapperOut(mapper_));
  EXPECT_EQ(scn::GetPortConnection(sourceOut_, 0), MapperIn(mapper_));
  EXPECT_EQ(scn::GetPortConnection(sourceOut_, 1), nullptr);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(GraphTest, ConnectionsThatWouldCloseACycleOrMixTypesAreRefused) {
  scn::SceneNode* second = scn::CreateGraphNode(master_, scn::kGraphNodeRangeMapper, 0, 0);
  scn::GetNodeContainer(source_)->SetVector(600, {1, 2, 3});
  scn::GetNodeContainer(source_)->SetString(601, "text");
  scn::GraphPort* vectorOut = scn::AddGraphPort(sourceNode_, false, 600);
  scn::GraphPort* componentOut = scn::AddGraphPort(sourceNode_, false, 600, scn::kVectorZ);
  scn::GraphPort* textOut = scn::AddGraphPort(sourceNode_, false, 601);
  scn::GraphPort* backIn = scn::AddGraphPort(sourceNode_, true, kWeight);
  scn::SceneNode* otherHolder = Insert(scn::kTypeNull, "other holder");
  scn::NodeMaster* otherMaster = scn::GetNodeMaster(scn::MakeTag(otherHolder, scn::kTagNodeGraph));
  scn::GraphPort* foreignIn =
      scn::GetGraphPort(scn::CreateGraphNode(otherMaster, scn::kGraphNodeRangeMapper, 0, 0), true, 0);
  ASSERT_TRUE(second && vectorOut && componentOut && textOut && backIn && foreignIn);
  ASSERT_TRUE(scn::ConnectPorts(MapperOut(mapper_), MapperIn(second)));

  const std::vector<std::tuple<const char*, scn::GraphPort*, scn::GraphPort*>> refused = {
      {"back into the first mapper", MapperOut(second), MapperIn(mapper_)},
      {"a node into itself", MapperOut(mapper_), MapperIn(mapper_)},
      {"target back into its source object", MapperOut(second), backIn},
      {"a Vector into a number", vectorOut, MapperIn(second)},
      {"text into a number", textOut, MapperIn(second)},
      {"an input as the output", targetIn_, MapperIn(second)},
      {"an output as the input", sourceOut_, MapperOut(second)},
      {"into another node master", sourceOut_, foreignIn},
  };
  for (const auto& [what, from, to] : refused) {
    H().diagnostics().Clear();
    EXPECT_FALSE(scn::ConnectPorts(from, to)) << what;
    EXPECT_TRUE(H().diagnostics().Contains("ConnectPorts")) << what << ": a diagnostic line";
  }
  EXPECT_EQ(scn::GetPortConnection(MapperIn(mapper_)), sourceOut_) << "refusals change nothing";
  EXPECT_TRUE(scn::ConnectPorts(componentOut, MapperIn(second))) << "a Vector's component is a number";
  EXPECT_TRUE(TakeReports().empty()) << "refused connections are no misbehaviour";
}

TEST_F(GraphTest, AMissingLinkedObjectIsSkipped) {
  EXPECT_DOUBLE_EQ(Drive(0.5), 0.5);
  ASSERT_TRUE(scn::LinkGraphNode(sourceNode_, nullptr, scn::kPortSetParameters, scn::kGraphLinkSet));
  EXPECT_DOUBLE_EQ(Drive(0.9), 0.5) << "an unlinked source drives nothing";
  ASSERT_TRUE(scn::LinkGraphNode(sourceNode_, source_, scn::kPortSetParameters, scn::kGraphLinkSet));
  EXPECT_DOUBLE_EQ(Drive(0.9), 0.9);
  scn::FreeSceneNode(source_);
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_DOUBLE_EQ(scn::GetNodeContainer(target_)->GetFloat(kDriven), 0.9) << "a freed source drives nothing";
  scn::FreeSceneNode(target_);
  ASSERT_TRUE(Scene().EvaluateDocument(doc_)) << "nor does a freed target crash the graph";
  scn::FreeSceneNode(mapper_);
  EXPECT_EQ(scn::GetPortConnection(targetIn_), nullptr) << "the freed mapper's output is no connection";
  ASSERT_TRUE(Scene().EvaluateDocument(doc_));
  EXPECT_TRUE(TakeReports().empty());
}

// Writes the document frame / 10 into kWeight of its node while generating.
class WeightGenerator : public scn::ObjectData {
 public:
  scn::SceneNode* EvaluateGenerator(scn::SceneNode* node) override {
    const scn::TimeValue t = scn::GetDocumentTime(scn::GetNodeDocument(node));
    scn::GetNodeContainer(node)->SetFloat(kWeight, double(t.numerator) / double(t.denominator) * 30 / 10);
    return nullptr;
  }
};

// Remembers the driven value it sees at each of its two priorities.
inline std::vector<std::pair<scn::Int32, double>> g_seen;
inline scn::SceneNode* g_watched = nullptr;
class WatchingTag : public scn::TagData {
 public:
  scn::Bool AddToPriorityList(scn::SceneNode* tag) override {
    scn::AddToPriorityList(tag, scn::kTagPriorityNodeGraph - 1, 0);
    scn::AddToPriorityList(tag, scn::kTagPriorityNodeGraph + 1, 0);
    return true;
  }
  scn::Int32 ExecuteTag(scn::SceneNode*, scn::Document*, scn::SceneNode*, scn::Int32 priority) override {
    g_seen.push_back({priority, scn::GetNodeContainer(g_watched)->GetFloat(kDriven)});
    return 0;
  }
};

TEST_F(GraphTest, AGraphSeesThisEvaluationsGeneratorsAndTagsOfAHigherPrioritySeeTheGraph) {
  constexpr scn::Int32 kGenerator = 1990201, kWatching = 1990202;
  H().registry().SetStarting(true);
  ASSERT_TRUE(scn::RegisterObjectType(kGenerator, "Weights", 0x4, scenetest::Allocate<WeightGenerator>, "Ow",
                                      nullptr, 0));
  ASSERT_TRUE(
      scn::RegisterTagType(kWatching, "Watching", 0, scenetest::Allocate<WatchingTag>, "tw", nullptr, 0));
  H().registry().SetStarting(false);
  scn::SceneNode* generator = Insert(kGenerator, "generator");
  ASSERT_TRUE(scn::LinkGraphNode(sourceNode_, generator, scn::kPortSetParameters, scn::kGraphLinkSet));
  // The watching tag comes first in the hierarchy, so only its priorities put it after the graph.
  g_watched = target_;
  scn::MakeTag(source_, kWatching);
  g_seen.clear();
  EvaluateAt(3);
  EvaluateAt(6);
  EXPECT_EQ(g_seen, (std::vector<std::pair<scn::Int32, double>>{{scn::kTagPriorityNodeGraph - 1, -1.0},
                                                                {scn::kTagPriorityNodeGraph + 1, 0.3},
                                                                {scn::kTagPriorityNodeGraph - 1, 0.3},
                                                                {scn::kTagPriorityNodeGraph + 1, 0.6}}));
}

TEST_F(GraphTest, TheGraphWritesPositionsAndRotationsOfObjects) {
  scn::GraphPort* position = scn::AddGraphPort(targetNode_, true, scn::kParamPosition, scn::kVectorX);
  scn::GraphPort* heading = scn::AddGraphPort(targetNode_, true, scn::kParamRotation, scn::kVectorX);
  ASSERT_TRUE(scn::ConnectPorts(sourceOut_, position));
  ASSERT_TRUE(scn::ConnectPorts(MapperOut(mapper_), heading));
  Drive(0.5);
  const scn::Matrix m = scn::GetLocalMatrix(target_);
  EXPECT_NEAR(m.off.x, 0.5, 1e-12);
  const scn::Matrix turned = scn::RotationY(0.5);
  EXPECT_NEAR(m.v1.x, turned.v1.x, 1e-12);
  EXPECT_NEAR(m.v1.z, turned.v1.z, 1e-12);
}

TEST_F(GraphTest, WrongNodesPortSetsAndModesAreAnswersNotMisbehaviour) {
  EXPECT_EQ(scn::GetNodeMaster(scn::MakeTag(holder_, scn::kTagPhong)), nullptr);
  EXPECT_EQ(scn::AddGraphPort(mapper_, true, kDriven), nullptr) << "a range mapper has its ports";
  EXPECT_EQ(scn::CreateGraphNode(master_, 400009999, 0, 0), nullptr);
  EXPECT_FALSE(scn::LinkGraphNode(mapper_, source_, scn::kPortSetParameters, 3));
  EXPECT_FALSE(scn::LinkGraphNode(sourceNode_, source_, 400000009, 3));
  EXPECT_FALSE(scn::LinkGraphNode(sourceNode_, source_, scn::kPortSetParameters, scn::kGraphLinkName));
  EXPECT_FALSE(scn::LinkGraphNode(sourceNode_, source_, scn::kPortSetParameters, 7));
  EXPECT_EQ(scn::GetGraphNodeLink(sourceNode_, doc_), source_) << "refused links change nothing";
  EXPECT_EQ(scn::AllocateObject(scn::kGraphNodeRangeMapper), nullptr) << "graph nodes live in node masters";
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(GraphTest, FreedGraphHandlesAndOtherThreadsAreReported) {
  // Nothing is made after these are freed, so nothing takes a freed one's address.
  scn::SceneNode* otherHolder = Insert(scn::kTypeNull, "other");
  scn::SceneNode* otherTag = scn::MakeTag(otherHolder, scn::kTagNodeGraph);
  scn::NodeMaster* staleMaster = scn::GetNodeMaster(otherTag);
  scn::SceneNode* spare = scn::CreateGraphNode(master_, scn::kGraphNodeObject, 0, 0);
  scn::GraphPort* stalePort = scn::AddGraphPort(spare, true, 1);
  scn::SceneNode* staleNode = spare;
  scn::FreeSceneNode(spare);
  scn::FreeSceneNode(otherTag);
  const std::vector<std::pair<const char*, std::function<bool()>>> calls = {
      {"ConnectPorts", [&] { return !scn::ConnectPorts(sourceOut_, stalePort); }},
      {"GetPortNode", [&] { return scn::GetPortNode(stalePort) == nullptr; }},
      {"GetPortConnection", [&] { return scn::GetPortConnection(nullptr) == nullptr; }},
      {"AddGraphPort", [&] { return scn::AddGraphPort(staleNode, true, 1) == nullptr; }},
      {"LinkGraphNode", [&] { return !scn::LinkGraphNode(staleNode, source_); }},
      {"LinkGraphNode", [&] { return !scn::LinkGraphNode(sourceNode_, staleNode); }},
      {"GetGraphPortCount", [&] { return scn::GetGraphPortCount(source_, true) == 0; }},
      {"CreateGraphNode",
       [&] { return scn::CreateGraphNode(staleMaster, scn::kGraphNodeObject, 0, 0) == nullptr; }},
      {"GetFirstGraphNode", [&] { return scn::GetFirstGraphNode(nullptr) == nullptr; }},
      {"CloneNode", [&] { return scn::CloneNode(mapper_) == nullptr; }},
      {"FindGraphNode",
       [&] {
         bool answered = false;
         std::thread([&] { answered = scn::FindGraphNode(master_, 0) == nullptr; }).join();
         return answered;
       }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_TRUE(call()) << name;
    const auto reports = TakeReports();
    ASSERT_EQ(reports.size(), 1u) << name;
    EXPECT_NE(reports[0].find(name), std::string::npos) << reports[0];
  }
  EXPECT_DOUBLE_EQ(Drive(0.25), 0.25) << "the graph still runs";
}

}  // namespace
}  // namespace animationtest
