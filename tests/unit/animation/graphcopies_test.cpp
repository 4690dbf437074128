// Node graphs go with their tag: into clones of its object and through its object record, connections
// and all; damaged graph records give no object.
#include <functional>

#include "graphtest.h"
#include "scene/links.h"

namespace animationtest {
namespace {

// What a graph holds, in node order, for comparing two graphs.
struct NodeView {
  scn::Int32 type = 0;
  std::string name;
  double x = 0, y = 0;
  scn::Container data;
  scn::SceneNode* link = nullptr;
  std::vector<std::pair<scn::Int32, scn::Int32>> inputs, outputs;
  std::vector<std::string> sources;  // per input: the node name and port index of its output, or ""
  friend bool operator==(const NodeView&, const NodeView&) = default;
};

std::vector<NodeView> View(scn::NodeMaster* master, scn::Document* doc) {
  std::vector<NodeView> out;
  for (scn::SceneNode* n = scn::GetFirstGraphNode(master); n; n = scn::GetNextNode(n)) {
    NodeView v;
    v.type = scn::GetNodeType(n);
    v.name = scn::GetNodeName(n);
    v.data = *scn::GetNodeContainer(n);
    v.link = scn::GetGraphNodeLink(n, doc);
    scn::GetGraphNodePosition(n, &v.x, &v.y);
    for (bool input : {true, false}) {
      for (scn::Int32 i = 0; i < scn::GetGraphPortCount(n, input); ++i) {
        scn::GraphPort* p = scn::GetGraphPort(n, input, i);
        scn::Int32 id = -1, subId = -1;
        scn::GetPortAddress(p, &id, &subId);
        (input ? v.inputs : v.outputs).push_back({id, subId});
        if (!input) continue;
        scn::GraphPort* from = scn::GetPortConnection(p);
        std::string source;
        if (from) {
          scn::SceneNode* fromNode = scn::GetPortNode(from);
          for (scn::Int32 k = 0; k < scn::GetGraphPortCount(fromNode, false); ++k)
            if (scn::GetGraphPort(fromNode, false, k) == from)
              source = scn::GetNodeName(fromNode) + ":" + std::to_string(k);
        }
        v.sources.push_back(source);
      }
    }
    out.push_back(std::move(v));
  }
  return out;
}

class GraphCopiesTest : public GraphTest {
 protected:
  void SetUp() override {
    GraphTest::SetUp();
    scn::GetNodeContainer(mapper_)->SetFloat(scn::kRangeMapperOutputHigh, 10.0);
    ASSERT_TRUE(Keyed(mapper_, scn::kRangeMapperInputHigh, 0, {{0, 1.0}, {10, 2.0}}));
    scn::SetNodeName(graphTag_, "setup");
  }
};

TEST_F(GraphCopiesTest, ACloneOfTheObjectHasAGraphOfItsOwnThatDrivesTheSameTarget) {
  const auto before = View(master_, doc_);
  scn::SceneNode* clone = scn::CloneNode(holder_);
  ASSERT_NE(clone, nullptr);
  ASSERT_TRUE(scn::InsertObject(doc_, clone));
  scn::SceneNode* cloneTag = scn::GetFirstTag(clone, scn::kTagNodeGraph);
  scn::NodeMaster* cloneMaster = scn::GetNodeMaster(cloneTag);
  ASSERT_NE(cloneMaster, nullptr);
  EXPECT_NE(cloneMaster, master_);
  EXPECT_EQ(View(cloneMaster, doc_), before);
  EXPECT_NE(scn::GetPortConnection(scn::GetGraphPort(scn::FindGraphNode(cloneMaster, 0, "target"), true, 0)),
            MapperOut(mapper_))
      << "the clone's connections join the clone's ports";
  EXPECT_EQ(scn::GetKeyCount(scn::GetFirstTrack(scn::FindGraphNode(cloneMaster, scn::kGraphNodeRangeMapper))),
            2);

  // With the original's graph gone, the clone's alone drives the target.
  scn::FreeSceneNode(graphTag_);
  EXPECT_DOUBLE_EQ(Drive(0.5), 5.0);
  EXPECT_EQ(View(cloneMaster, doc_), before);
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(GraphCopiesTest, TheGraphGoesThroughItsObjectsRecord) {
  const auto before = View(master_, doc_);
  scn::SceneNode* read = RoundTrip(holder_);
  ASSERT_NE(read, nullptr);
  scn::SceneNode* readTag = scn::GetFirstTag(read, scn::kTagNodeGraph);
  ASSERT_NE(readTag, nullptr);
  EXPECT_EQ(scn::GetNodeName(readTag), "setup");
  scn::FreeSceneNode(holder_);
  ASSERT_TRUE(scn::InsertObject(doc_, read));
  EXPECT_EQ(View(scn::GetNodeMaster(readTag), doc_), before) << "links keep naming the linked objects";
  EXPECT_DOUBLE_EQ(Drive(0.5), 5.0);
}

// A holder's record of version 2 with one node-graph tag whose graph is written by hand.
std::string RecordWithGraph(const std::function<void(scn::RecordFile*)>& graph) {
  auto rf = host::RecordFile::ForWriting();
  scn::RecordFile* r = rf.get();
  for (scn::Int32 v : {2, scn::kTypeNull}) scn::WriteRecordInt32(r, v);
  scn::WriteRecordString(r, "holder");
  scn::WriteRecordMatrix(r, scn::Matrix{});
  for (scn::Int32 v : {0, 1, scn::kTagNodeGraph}) scn::WriteRecordInt32(r, v);  // parameters, tags, the tag
  scn::WriteRecordString(r, "graph");
  scn::WriteRecordInt32(r, 0);  // the tag's parameters
  graph(r);
  for (scn::Int32 v : {0, 0, 0}) scn::WriteRecordInt32(r, v);  // the tag's tracks, the object's, children
  return host::RecordFile::Bytes(*rf);
}

// A node: type, name, place, no link, parameters or tracks, then its ports.
void Node(scn::RecordFile* r, scn::Int32 type, const std::vector<scn::Int32>& inputSources,
          scn::Int32 outputs) {
  scn::WriteRecordInt32(r, type);
  scn::WriteRecordString(r, "n");
  scn::WriteRecordFloat64(r, 0);
  scn::WriteRecordFloat64(r, 0);
  host::WriteRecordInt64(*scn::GetHostTables()->record, r, 0);
  scn::WriteRecordInt32(r, 0);
  scn::WriteRecordInt32(r, 0);
  scn::WriteRecordInt32(r, static_cast<scn::Int32>(inputSources.size()));
  for (scn::Int32 source : inputSources)
    for (scn::Int32 v : {0, 0, source}) scn::WriteRecordInt32(r, v);
  scn::WriteRecordInt32(r, outputs);
  for (scn::Int32 i = 0; i < outputs; ++i)
    for (scn::Int32 v : {0, 0}) scn::WriteRecordInt32(r, v);
}

TEST_F(GraphCopiesTest, DamagedGraphRecordsGiveNoObject) {
  constexpr scn::Int32 kMapper = scn::kGraphNodeRangeMapper, kObject = scn::kGraphNodeObject;
  auto in = host::RecordFile::ForReading(RecordWithGraph([](scn::RecordFile* r) {
    scn::WriteRecordInt32(r, 2);
    Node(r, kMapper, {-1}, 1);
    Node(r, kObject, {0}, 0);
  }));
  scn::SceneNode* good = scn::ReadObjectRecord(in.get());
  ASSERT_NE(good, nullptr) << "the layout the cases start from reads";
  scn::FreeSceneNode(good);

  const std::vector<std::pair<const char*, std::function<void(scn::RecordFile*)>>> cases = {
      {"a source past the outputs",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 2);
         Node(r, kMapper, {-1}, 1);
         Node(r, kObject, {1}, 0);
       }},
      {"a negative source",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Node(r, kObject, {-2}, 0);
       }},
      {"a range mapper with two inputs",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Node(r, kMapper, {-1, -1}, 1);
       }},
      {"a range mapper without output",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Node(r, kMapper, {-1}, 0);
       }},
      {"a node feeding itself",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Node(r, kMapper, {0}, 1);
       }},
      {"two mappers feeding each other",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 2);
         Node(r, kMapper, {1}, 1);
         Node(r, kMapper, {0}, 1);
       }},
      {"an unknown node type",
       [](scn::RecordFile* r) {
         scn::WriteRecordInt32(r, 1);
         Node(r, 400009999, {}, 0);
       }},
      {"a negative node count", [](scn::RecordFile* r) { scn::WriteRecordInt32(r, -1); }},
  };
  for (const auto& [what, graph] : cases) {
    const std::size_t live = LiveNodes();
    auto bad = host::RecordFile::ForReading(RecordWithGraph(graph));
    EXPECT_EQ(scn::ReadObjectRecord(bad.get()), nullptr) << what;
    EXPECT_EQ(LiveNodes(), live) << what;
  }
  EXPECT_TRUE(TakeReports().empty());
}

}  // namespace
}  // namespace animationtest
