// The eye tag through the loaded module: an eye object follows one eye of a face capture object, from the
// look weights or from the captured eye matrix.
#include <cmath>
#include <numbers>

#include "facecapturetest.h"
#include "resources/description.h"
#include "ui/uiservice.h"

namespace facetest {
namespace {

constexpr scn::Int32 kEyeTag = 1040866;
constexpr scn::Int32 kMotionCapture = 1053360;
constexpr scn::Int32 kLink = 1000;
constexpr scn::Int32 kSide = 1001;
constexpr scn::Int32 kUseEyeMatrix = 1002;
constexpr scn::Int32 kHelpButton = 1003;
constexpr scn::Int32 kLeftEyeMatrix = 2302;
constexpr scn::Int32 kRightEyeMatrix = 2306;
constexpr scn::Int32 kHelpCommand = 1050446;
constexpr scn::Int32 kPriority = 5000;
constexpr double kTolerance = 1e-9;

// Where the eye object sits before any tag turns it: placed and turned, so that a kept or lost position
// and a replaced rotation both show.
const scn::Matrix kEyeStart = [] {
  scn::Matrix m = scn::RotationZ(0.3);
  m.off = {1.5, -2.0, 7.25};
  return m;
}();

void ExpectNear(const scn::Vector& a, const scn::Vector& b, const std::string& what) {
  EXPECT_NEAR(a.x, b.x, kTolerance) << what;
  EXPECT_NEAR(a.y, b.y, kTolerance) << what;
  EXPECT_NEAR(a.z, b.z, kTolerance) << what;
}

void ExpectNear(const scn::Matrix& a, const scn::Matrix& b, const std::string& what) {
  ExpectNear(a.off, b.off, what + ", offset");
  ExpectNear(a.v1, b.v1, what + ", x axis");
  ExpectNear(a.v2, b.v2, what + ", y axis");
  ExpectNear(a.v3, b.v3, what + ", z axis");
}

struct LookWeights {
  double down, up, in, out;
};

// The eye turned by its look weights: down by 60 degrees, up by 50, in and out by 35 degrees each, in and
// out mirrored for the right eye.
scn::Matrix TurnedBy(const LookWeights& w, bool left) {
  const double sign = left ? 1.0 : -1.0;
  const double deg = std::numbers::pi / 180.0;
  return scn::RotationX(-60.0 * deg * w.down) * scn::RotationX(50.0 * deg * w.up) *
         scn::RotationY(35.0 * deg * sign * w.in) * scn::RotationY(-35.0 * deg * sign * w.out);
}

class EyeTagTest : public FaceCaptureTest {
 protected:
  // An eye object at kEyeStart with an eye tag, and after it a face capture object that keeps left and
  // right apart, loaded with a capture of that version and linked to the tag.
  void Build(int version, int frames = 12) {
    eye_ = scn::AllocateObject(scn::kTypeNull);
    ASSERT_NE(eye_, nullptr);
    scn::SetNodeName(eye_, "Eye");
    ASSERT_TRUE(scn::InsertObject(doc_, eye_));
    scn::SetLocalMatrix(eye_, kEyeStart);
    tag_ = scn::MakeTag(eye_, kEyeTag);
    ASSERT_NE(tag_, nullptr);
    options_ = Options(frames, version);
    face_ = Loaded(options_);
    ASSERT_NE(face_, nullptr);
    ASSERT_TRUE(scn::SetParameter(face_, kKeepSides, scn::Bool(true)));
    LinkTo(face_);
  }

  void LinkTo(scn::SceneNode* node) {
    ASSERT_TRUE(scn::SetParameter(tag_, kLink, scn::NodeLinkValue{node ? scn::GetNodeId(node) : 0}));
  }

  LookWeights Weights(int frame, bool left) const {
    const char* side = left ? "_L" : "_R";
    auto w = [&](const char* name) { return FixtureWeight(options_, frame, std::string(name) + side); };
    return {w("eyeLookDown"), w("eyeLookUp"), w("eyeLookIn"), w("eyeLookOut")};
  }

  int Updates() { return Scene().MessageCount(eye_, scn::kMsgUpdate); }

  fx::FaceCaptureOptions options_;
  scn::SceneNode* face_ = nullptr;
  scn::SceneNode* eye_ = nullptr;
  scn::SceneNode* tag_ = nullptr;
};

TEST_F(EyeTagTest, ANewTagFollowsTheLeftEyeByItsWeightsByDefault) {
  ASSERT_NO_FATAL_FAILURE(Build(2));
  const scn::Container& bc = C(tag_);
  EXPECT_EQ(bc.GetType(kSide), scn::ValueType::Int32);
  EXPECT_EQ(bc.GetInt32(kSide, -1), 0);
  EXPECT_EQ(bc.GetType(kUseEyeMatrix), scn::ValueType::Bool);
  EXPECT_FALSE(bc.GetBool(kUseEyeMatrix, true));
}

enum class Expect { Weights, EyeMatrix, Untouched };

struct TurnCase {
  const char* name;
  int version;
  scn::Int32 side;
  bool useEyeMatrix;
  Expect expect;
};

const TurnCase kTurnCases[] = {
    {"left by its weights", 2, 0, false, Expect::Weights},
    {"right by its weights", 2, 1, false, Expect::Weights},
    {"eye matrix of a version 1 capture: the weights", 1, 0, true, Expect::Weights},
    {"eye matrix of a version 1 capture, right: the weights", 1, 1, true, Expect::Weights},
    {"left eye matrix of a version 2 capture", 2, 0, true, Expect::EyeMatrix},
    {"right eye matrix of a version 2 capture", 2, 1, true, Expect::EyeMatrix},
    {"side 2 leaves the object alone", 2, 2, false, Expect::Untouched},
    {"side -1 leaves the object alone", 2, -1, true, Expect::Untouched},
};

void PrintTo(const TurnCase& c, std::ostream* os) {
  *os << c.name;
}

class EyeTurnTest : public EyeTagTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(EyeTurnTest, TheEyeObjectTakesThisEvaluationsFrame) {
  const TurnCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(Build(c.version));
  ASSERT_TRUE(scn::SetParameter(tag_, kSide, c.side));
  ASSERT_TRUE(scn::SetParameter(tag_, kUseEyeMatrix, scn::Bool(c.useEyeMatrix)));
  const bool left = c.side == 0;
  // Two frames in a row: the second must show its own values, not the first's.
  for (int frame : {2, 7}) {
    const int updatesBefore = Updates();
    EvaluateAt(frame);
    const std::string what = "frame " + std::to_string(frame);
    const scn::Matrix shown = scn::GetLocalMatrix(eye_);
    switch (c.expect) {
      case Expect::Weights: {
        const LookWeights w = Weights(frame, left);
        ASSERT_NE(w.down + w.up + w.in + w.out, 0.0) << "the capture must turn the eye";
        scn::Matrix expected = TurnedBy(w, left);
        expected.off = kEyeStart.off;
        ExpectNear(shown, expected, what);
        break;
      }
      case Expect::EyeMatrix: {
        const fx::FaceFrameValues values = fx::FrameValues(options_, frame);
        ExpectNear(shown, HostMatrix(left ? values.leftEye : values.rightEye), what);
        EXPECT_EQ(shown, C(face_).GetMatrix(left ? kLeftEyeMatrix : kRightEyeMatrix)) << what;
        break;
      }
      case Expect::Untouched:
        EXPECT_EQ(shown, kEyeStart) << what;
        break;
    }
    EXPECT_EQ(Updates() - updatesBefore, c.expect == Expect::Untouched ? 0 : 1) << what;
  }
  EXPECT_TRUE(H().diagnostics().Misbehaviours().empty());
}

INSTANTIATE_TEST_SUITE_P(Sides, EyeTurnTest, ::testing::ValuesIn(kTurnCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

// A link to anything but a face capture object must not be read as one, however it is dressed.
TEST_F(EyeTagTest, ALinkToNoFaceCaptureObjectLeavesTheObjectAlone) {
  ASSERT_NO_FATAL_FAILURE(Build(2));
  scn::SceneNode* mesh = scn::AllocatePolygonObject(4, 1);
  ASSERT_NE(mesh, nullptr);
  ASSERT_TRUE(scn::InsertObject(doc_, mesh));
  scn::SceneNode* motion = scn::AllocateObject(kMotionCapture);
  ASSERT_NE(motion, nullptr);
  ASSERT_TRUE(scn::InsertObject(doc_, motion));
  for (scn::SceneNode* impostor : {mesh, motion}) {
    scn::Container& bc = C(impostor);
    for (scn::Int32 id = kFirstWeight; id < kFirstWeight + 14; ++id) bc.SetFloat(id, 0.5);
    scn::Matrix eyeMatrix = scn::RotationY(1.0);
    eyeMatrix.off = {9, 9, 9};
    bc.SetMatrix(kLeftEyeMatrix, eyeMatrix);
  }
  ASSERT_TRUE(scn::SetParameter(tag_, kUseEyeMatrix, scn::Bool(true)));

  struct Case {
    const char* what;
    scn::SceneNode* target;
  };
  for (const Case& c : {Case{"a polygon object", mesh}, Case{"a motion capture object", motion},
                        Case{"the eye object itself", eye_}, Case{"nothing", nullptr}}) {
    LinkTo(c.target);
    const int updatesBefore = Updates();
    EvaluateAt(3);
    EXPECT_EQ(scn::GetLocalMatrix(eye_), kEyeStart) << c.what;
    EXPECT_EQ(Updates(), updatesBefore) << c.what;
    EXPECT_FALSE(Enabled(tag_, kUseEyeMatrix)) << c.what;
  }

  scn::FreeSceneNode(face_);
  LinkTo(nullptr);
  EvaluateAt(3);
  EXPECT_EQ(scn::GetLocalMatrix(eye_), kEyeStart) << "a freed face capture object";
  EXPECT_TRUE(H().diagnostics().Misbehaviours().empty());
}

TEST_F(EyeTagTest, OnlyItsOwnPriorityWithADocumentAndAnObjectMovesTheObject) {
  ASSERT_NO_FATAL_FAILURE(Build(2));
  EvaluateAt(4);
  scn::SetLocalMatrix(eye_, kEyeStart);
  auto* tag = static_cast<scn::TagData*>(scn::GetNodeData(tag_));
  ASSERT_NE(tag, nullptr);
  struct Case {
    const char* what;
    scn::Document* doc;
    scn::SceneNode* object;
    scn::Int32 priority;
  };
  for (const Case& c :
       {Case{"the default priority", doc_, eye_, scn::kTagPriorityDefault},
        Case{"one below", doc_, eye_, kPriority - 1}, Case{"one above", doc_, eye_, kPriority + 1},
        Case{"no document", nullptr, eye_, kPriority}, Case{"no object", doc_, nullptr, kPriority}}) {
    EXPECT_EQ(tag->ExecuteTag(tag_, c.doc, c.object, c.priority), 0) << c.what;
    EXPECT_EQ(scn::GetLocalMatrix(eye_), kEyeStart) << c.what;
  }
  EXPECT_EQ(tag->ExecuteTag(tag_, doc_, eye_, kPriority), 0);
  EXPECT_NE(scn::GetLocalMatrix(eye_), kEyeStart);
  EXPECT_TRUE(H().diagnostics().Misbehaviours().empty());
}

TEST_F(EyeTagTest, TheEyeMatrixSwitchIsEnabledForCapturesThatCarryEyeMatrices) {
  struct Case {
    const char* what;
    int version, frames;
    bool enabled;
  };
  for (const Case& c :
       {Case{"version 2", 2, 3, true}, Case{"version 1", 1, 3, false}, Case{"no frames", 2, 0, false}}) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Build(c.version, c.frames));
    EXPECT_EQ(Enabled(tag_, kUseEyeMatrix), c.enabled);
    for (scn::Int32 id : {kLink, kSide, kHelpButton}) EXPECT_TRUE(Enabled(tag_, id)) << id;
    scn::FreeSceneNode(eye_);
    scn::FreeSceneNode(face_);
    std::filesystem::remove_all(temp_ / "captures");
  }
}

TEST_F(EyeTagTest, ACaptureWithoutFramesTurnsTheEyeByItsWeightsEvenWithTheEyeMatrixOn) {
  ASSERT_NO_FATAL_FAILURE(Build(2, 0));
  ASSERT_TRUE(scn::SetParameter(tag_, kUseEyeMatrix, scn::Bool(true)));
  scn::Matrix stale = scn::RotationX(1.0);
  stale.off = {4, 5, 6};
  C(face_).SetMatrix(kLeftEyeMatrix, stale);
  C(face_).SetFloat(kFirstWeight + 1, 0.25);  // eyeLookDown_L
  EvaluateAt(0);
  scn::Matrix expected = TurnedBy({0.25, 0, 0, 0}, true);
  expected.off = kEyeStart.off;
  ExpectNear(scn::GetLocalMatrix(eye_), expected, "counts as version 1");
}

TEST_F(EyeTagTest, ATagInNoDocumentShowsTheEyeMatrixSwitchEnabled) {
  ASSERT_NO_FATAL_FAILURE(Build(1));
  scn::SceneNode* loose = scn::AllocateObject(scn::kTypeNull);
  ASSERT_NE(loose, nullptr);
  scn::SceneNode* tag = scn::MakeTag(loose, kEyeTag);
  ASSERT_NE(tag, nullptr);
  ASSERT_TRUE(scn::SetParameter(tag, kLink, scn::NodeLinkValue{scn::GetNodeId(face_)}));
  EXPECT_TRUE(Enabled(tag, kUseEyeMatrix));
  EXPECT_FALSE(Enabled(tag_, kUseEyeMatrix)) << "the same link inside the document";
  scn::FreeSceneNode(loose);
}

TEST_F(EyeTagTest, TheHelpButtonOpensItsHelpPage) {
  ASSERT_NO_FATAL_FAILURE(Build(2));
  Press(tag_, kSide);
  EXPECT_EQ(H().ui().FindWindow(kHelpCommand), nullptr) << "no other id opens help";
  Press(tag_, kHelpButton);
  scn::DialogWindow* w = H().ui().FindWindow(kHelpCommand);
  ASSERT_NE(w, nullptr);
  const auto viewers = H().ui().HtmlViewers(w);
  ASSERT_EQ(viewers.size(), 1u);
  const std::string url = H().ui().HtmlViewerUrl(viewers[0]);
  EXPECT_TRUE(url.ends_with("/help/index.html?id=1004")) << url;
  EXPECT_TRUE(H().ui().HtmlPageExists(viewers[0])) << url;
}

TEST_F(EyeTagTest, ItsDescriptionNamesEveryParameter) {
  scn::Description desc;
  ASSERT_TRUE(scn::ReadDescriptionResource(&desc, "teye"));
  struct Entry {
    scn::Int32 id;
    host::DescType type;
  };
  for (const Entry& e :
       {Entry{kLink, host::DescType::Link}, Entry{kSide, host::DescType::Long},
        Entry{kUseEyeMatrix, host::DescType::Bool}, Entry{kHelpButton, host::DescType::Button}}) {
    const scn::Container* entry = scn::GetDescriptionEntry(&desc, e.id);
    ASSERT_NE(entry, nullptr) << e.id;
    EXPECT_EQ(entry->GetInt32(scn::kDescType), static_cast<scn::Int32>(e.type)) << e.id;
    EXPECT_FALSE(entry->GetString(scn::kDescName).empty()) << e.id;
  }
  EXPECT_EQ(desc.order.size(), 4u);
  EXPECT_EQ(scn::GetDescriptionEntry(&desc, kLink)->GetInt32(host::kDescAccept), kFaceCapture);
}

}  // namespace
}  // namespace facetest
