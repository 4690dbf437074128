// Scene tests: a host in this process, a document, and small test plug-in types that log what the host
// calls on them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/host.h"
#include "inprocesshost.h"
#include "registry/registry.h"
#include "scene/sceneservice.h"
#include "scn/api.h"
#include "scn/nodedata.h"
#include "scn/scene.h"

namespace scenetest {

inline constexpr scn::Int32 kGeneratorType = 1990001;  // registered with the generator flag
inline constexpr scn::Int32 kPlainType = 1990002;      // an object that does not generate
inline constexpr scn::Int32 kTestTagType = 1990003;
inline constexpr scn::Int32 kTestShaderType = 1990004;
inline constexpr char kSite[] = "scenetest";

// Parameter ids the test objects' hooks treat specially.
inline constexpr scn::Int32 kHookStoresDoubled = 100;  // the hook stores twice the value itself
inline constexpr scn::Int32 kHookLetsHostStore = 101;
inline constexpr scn::Int32 kHookRefuses = 102;
inline constexpr scn::Int32 kHookSupplies = 200;  // reads give 42 whatever is stored
inline constexpr scn::Int32 kHookRefusesRead = 201;
inline constexpr scn::Int32 kEnabledBySwitch = 300;  // enabled iff Bool 301
inline constexpr scn::Int32 kSwitch = 301;
inline constexpr scn::Int32 kDefaultId = 1;            // InitNodeData sets it to 7
inline constexpr scn::Int32 kTagPriority = 400;        // Int32: the test tag adds itself at this priority
inline constexpr scn::Int32 kTagSecondPriority = 401;  // Int32: and once more at this one

// What the host called, in order.
inline std::vector<std::string> g_log;
// A node the next generator frees while it evaluates.
inline scn::SceneNode* g_freeWhileGenerating = nullptr;
// Generators hand back a new polygon object.
inline bool g_generatorsReturnNodes = false;
// A node the next generator hands back instead.
inline scn::SceneNode* g_generatorReturns = nullptr;
// A node the next tag frees while it executes.
inline scn::SceneNode* g_freeWhileExecuting = nullptr;
// A node the next AddToPriorityList slot adds in place of its own tag.
inline scn::SceneNode* g_addInstead = nullptr;

// A tag in no object has no object to name.
inline std::string NameOf(scn::SceneNode* node) {
  return node ? scn::GetNodeName(node) : "(none)";
}

class TestObject : public scn::ObjectData {
 public:
  ~TestObject() override { g_log.push_back("destroy"); }
  scn::Bool InitNodeData(scn::SceneNode* node) override {
    initialised = true;
    scn::GetNodeContainer(node)->SetInt32(kDefaultId, 7);
    g_log.push_back("init");
    return true;
  }
  void ReleaseNodeData(scn::SceneNode* node) override {
    g_log.push_back("release " + NameOf(node));
    scn::FreeSceneNode(helper);
  }
  scn::Bool CopyNodeData(scn::NodeData* dest, scn::SceneNode* srcNode, scn::SceneNode* destNode) override {
    auto* d = static_cast<TestObject*>(dest);
    g_log.push_back(std::string("copy") + (d->initialised ? " after init" : " before init"));
    d->copiedFromId = scn::GetNodeId(srcNode);
    d->copiedInto = destNode;
    d->value = value;
    return !failCopy;
  }
  scn::Bool OnNodeMessage(scn::SceneNode*, scn::Int32 type, void*) override { return type != 99; }
  scn::Bool WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                               scn::Int32& flags) override {
    if (id == kHookRefuses) return false;
    if (id == kHookStoresDoubled) {
      scn::GetNodeContainer(node)->SetInt32(id, 2 * std::get<scn::Int32>(data));
      flags |= scn::kParamSet;
    }
    return true;
  }
  scn::Bool ReadParameterHook(scn::SceneNode*, scn::Int32 id, scn::Value& out, scn::Int32& flags) override {
    if (id == kHookRefusesRead) return false;
    if (id == kHookSupplies) {
      out = scn::Int32{42};
      flags |= scn::kParamSet;
    }
    return true;
  }
  scn::Bool IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container&) override {
    return id != kEnabledBySwitch || scn::GetNodeContainer(node)->GetBool(kSwitch);
  }
  scn::SceneNode* EvaluateGenerator(scn::SceneNode* node) override {
    g_log.push_back("generate " + NameOf(node));
    if (g_freeWhileGenerating) {
      scn::SceneNode* victim = g_freeWhileGenerating;
      g_freeWhileGenerating = nullptr;
      scn::FreeSceneNode(victim);
    }
    if (g_generatorReturns) return std::exchange(g_generatorReturns, nullptr);
    return g_generatorsReturnNodes ? scn::AllocatePolygonObject(3, 1) : nullptr;
  }

  scn::SceneNode* helper = nullptr;  // a loose node of its own, freed with it
  bool initialised = false;
  bool failCopy = false;
  int value = 0;
  scn::Int64 copiedFromId = 0;
  scn::SceneNode* copiedInto = nullptr;
};

class TestTag : public scn::TagData {
 public:
  void ReleaseNodeData(scn::SceneNode* tag) override {
    // The tag is still on its object while it is released.
    g_log.push_back("release tag of " + NameOf(scn::GetTagObject(tag)));
  }
  scn::Bool AddToPriorityList(scn::SceneNode* tag) override {
    scn::SceneNode* added = g_addInstead ? std::exchange(g_addInstead, nullptr) : tag;
    const scn::Container& bc = *scn::GetNodeContainer(tag);
    for (scn::Int32 id : {kTagPriority, kTagSecondPriority})
      if (bc.Has(id)) scn::AddToPriorityList(added, bc.GetInt32(id), 0);
    return true;
  }
  // Logs "tag <object>", with " at <priority>" for any but the default priority.
  scn::Int32 ExecuteTag(scn::SceneNode* tag, scn::Document* doc, scn::SceneNode* object,
                        scn::Int32 priority) override {
    const bool consistent = scn::GetTagObject(tag) == object && scn::GetNodeDocument(tag) == doc;
    std::string line = "tag " + NameOf(object);
    if (priority != scn::kTagPriorityDefault) line += " at " + std::to_string(priority);
    g_log.push_back(line + (consistent ? "" : " (inconsistent)"));
    if (g_freeWhileExecuting) {
      scn::SceneNode* victim = std::exchange(g_freeWhileExecuting, nullptr);
      scn::FreeSceneNode(victim);
    }
    return 0;
  }
};

class TestShader : public scn::ShaderData {};

template <typename T>
scn::NodeData* Allocate() {
  return scn::NewObjClear<T>(kSite, __LINE__);
}

class SceneTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    g_log.clear();
    g_freeWhileGenerating = nullptr;
    g_generatorsReturnNodes = false;
    g_generatorReturns = nullptr;
    g_freeWhileExecuting = nullptr;
    g_addInstead = nullptr;
    RegisterTestTypes();
    doc_ = Scene().NewDocument();
    ASSERT_NE(doc_, nullptr);
  }

  void RegisterTestTypes() {
    H().registry().SetStarting(true);
    ASSERT_TRUE(
        scn::RegisterObjectType(kGeneratorType, "Generator", 0x4, Allocate<TestObject>, "Otest", nullptr, 0));
    ASSERT_TRUE(scn::RegisterObjectType(kPlainType, "Plain", 0, Allocate<TestObject>, "Oplain", nullptr, 0));
    ASSERT_TRUE(scn::RegisterTagType(kTestTagType, "TestTag", 0, Allocate<TestTag>, "ttest", nullptr, 0));
    ASSERT_TRUE(scn::RegisterShaderType(kTestShaderType, "TestShader", 0, Allocate<TestShader>, "xtest", 0));
    H().registry().SetStarting(false);
  }

  host::SceneService& Scene() { return H().scene(); }

  // The misbehaviour reports since the last call; clears the diagnostics.
  std::vector<std::string> TakeReports() {
    auto reports = H().diagnostics().Misbehaviours();
    H().diagnostics().Clear();
    return reports;
  }

  // Every node the host holds, inserted or not.
  std::size_t LiveNodes() { return Scene().nodes().Size(); }

  static TestObject* DataOf(scn::SceneNode* node) { return static_cast<TestObject*>(scn::GetNodeData(node)); }

  // A named object of the type inserted under parent (null: at the top of doc_).
  scn::SceneNode* Insert(scn::Int32 type, const std::string& name, scn::SceneNode* parent = nullptr) {
    scn::SceneNode* node = scn::AllocateObject(type);
    if (!node) return nullptr;
    scn::SetNodeName(node, name);
    if (!scn::InsertObject(doc_, node, parent)) return nullptr;
    return node;
  }

  // A polygon object with these points and polygons, not inserted.
  scn::SceneNode* Mesh(const std::vector<scn::Vector>& points, const std::vector<scn::Polygon>& polygons) {
    scn::SceneNode* mesh = scn::AllocatePolygonObject(static_cast<scn::Int32>(points.size()),
                                                      static_cast<scn::Int32>(polygons.size()));
    if (!mesh) return nullptr;
    std::copy(points.begin(), points.end(), scn::GetPointsW(mesh));
    std::copy(polygons.begin(), polygons.end(), scn::GetPolygonsW(mesh));
    return mesh;
  }

  scn::Document* doc_ = nullptr;
};

}  // namespace scenetest
