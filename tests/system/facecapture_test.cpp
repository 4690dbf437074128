// The face capture object through the loaded module: defaults, loading a generated capture, bad input,
// the enabling rules, copies and scene records.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "facecapturetest.h"
#include "files/recordfile.h"

namespace facetest {
namespace {

// The file's tokens: separated by white space, colons or tildes.
std::vector<std::string> Tokens(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> tokens;
  for (std::string word; in >> word;) {
    for (char& c : word)
      if (c == '~') c = ':';
    std::istringstream parts(word);
    for (std::string t; std::getline(parts, t, ':');)
      if (!t.empty()) tokens.push_back(t);
  }
  return tokens;
}

void WriteTokens(const std::filesystem::path& file, const std::vector<std::string>& tokens) {
  std::ofstream out(file, std::ios::trunc);
  for (const std::string& t : tokens) out << t << '\n';
}

// Tokens of one version-2 frame: version, two matrices, the intrinsics, the vertices, then the weights.
constexpr std::size_t kWeightCountToken = 1 + 16 + 16 + 9 + 3 * 1220;
constexpr std::size_t kFrameTokens = kWeightCountToken + 1 + 2 * 52 + 3 + 1 + 27 + 16 + 16 + 3 + 1;

using FaceCaptureObjectTest = FaceCaptureTest;

TEST_F(FaceCaptureObjectTest, ANewObjectHasTheDefaults) {
  scn::SceneNode* node = NewObject();
  ASSERT_NE(node, nullptr);
  const scn::Container& c = C(node);
  EXPECT_EQ(c.GetInt32(kLength, -1), 100);
  EXPECT_EQ(c.GetInt32(kFrameMode), 1028);
  EXPECT_TRUE(c.GetBool(kApplyToTarget));
  EXPECT_TRUE(c.GetBool(kUseCamera));
  EXPECT_EQ(c.GetInt32(kTurn), 1);
  EXPECT_FALSE(c.GetBool(kFixedImage, true));
  EXPECT_FALSE(c.GetBool(kLoop, true));
  EXPECT_FALSE(c.GetBool(kKeepSides, true));
  for (scn::Int32 id : {kImageIndex, kStart, kFirst}) EXPECT_EQ(c.GetInt32(id, -1), 0) << id;
  EXPECT_EQ(Target(node), nullptr);
  EvaluateAt(0);  // an empty object evaluates to nothing
  EXPECT_FALSE(c.Has(kFirstWeight));
}

TEST_F(FaceCaptureObjectTest, LoadingReadsEveryFrameAndDressesANewTargetMesh) {
  scn::SceneNode* node = Loaded(Options(30));
  const scn::Container& c = C(node);
  EXPECT_EQ(c.GetString(kFrameCountText), "30");
  EXPECT_EQ(c.GetString(1001), "faceData.txt");
  EXPECT_EQ(c.GetInt32(kLength), 30);
  EXPECT_FALSE(c.GetBool(kFixedImage)) << "the capture has images";
  EXPECT_EQ(H().status().Text(), "");
  EXPECT_EQ(H().status().Progress(), -1);

  scn::SceneNode* target = Target(node);
  ASSERT_NE(target, nullptr) << "loading builds the face mesh when there is no target";
  EXPECT_EQ(scn::GetNodeName(target), "Face Mesh");
  EXPECT_EQ(scn::GetPointCount(target), 1220);
  const fx::FaceMesh mesh = fx::MakeFaceMesh(Options(30).seed);
  ASSERT_EQ(scn::GetPolygonCount(target), static_cast<int>(mesh.triangles.size() / 3));
  const scn::Polygon first = scn::GetPolygonsW(target)[0];
  EXPECT_EQ(first.a, mesh.triangles[0]);
  EXPECT_EQ(first.c, mesh.triangles[2]);
  EXPECT_EQ(first.d, first.c) << "a triangle repeats its third corner";
  EXPECT_EQ(scn::GetPointsW(target)[5],
            (scn::Vector{mesh.points[5][0], mesh.points[5][1], mesh.points[5][2]} * 100.0));
  ASSERT_NE(scn::GetFirstTag(target, scn::kTagUVW), nullptr);
  EXPECT_NE(scn::GetFirstTag(target, scn::kTagPhong), nullptr);

  // The material that shows the camera images, with its face shader pointing back at the object.
  scn::SceneNode* tag = scn::GetFirstTag(target, scn::kTagTexture);
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(C(tag).GetInt32(scn::kTextureTagProjection), 6);
  scn::SceneNode* material = scn::ResolveLinkValue(doc_, C(tag).GetLink(scn::kTextureTagMaterial));
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(scn::GetNodeName(material), "Face");
  EXPECT_EQ(C(material).GetInt32(500), 1);
  scn::SceneNode* shader = scn::GetFirstShader(material);
  ASSERT_NE(shader, nullptr);
  EXPECT_EQ(scn::GetNodeType(shader), kFaceShader);
  EXPECT_EQ(C(shader).GetLink(1000), scn::GetNodeId(node));
  EXPECT_EQ(C(material).GetLink(8000), scn::GetNodeId(shader));
  EXPECT_EQ(Scene().MaterialUpdateCount(material), 1);

  // Undoing the load takes the material and the tag back in one step.
  const auto steps = Scene().UndoSteps(doc_);
  ASSERT_EQ(steps.size(), 2u);
  ASSERT_EQ(steps[1].entries.size(), 2u);
  EXPECT_EQ(steps[1].entries[0], (host::UndoEntry{scn::kUndoNewNode, scn::GetNodeId(material)}));
  EXPECT_EQ(steps[1].entries[1], (host::UndoEntry{scn::kUndoNewNode, scn::GetNodeId(tag)}));
}

TEST_F(FaceCaptureObjectTest, TheFrameCountComesFromTheImagesWhenTheSettingsSayZero) {
  fx::FaceCaptureOptions o = Options(40);
  o.settingsFrameCount = 0;
  o.imageCount = 12;
  scn::SceneNode* node = Loaded(o);
  EXPECT_EQ(C(node).GetString(kFrameCountText), "12");
  EXPECT_EQ(C(node).GetInt32(kLength), 12);
}

TEST_F(FaceCaptureObjectTest, ACaptureWithoutImagesHoldsOneFixedImage) {
  fx::FaceCaptureOptions o = Options(5);
  o.hasImages = false;
  o.imageCount = 0;
  scn::SceneNode* node = Loaded(o);
  EXPECT_EQ(C(node).GetString(kFrameCountText), "5");
  EXPECT_TRUE(C(node).GetBool(kFixedImage));
  EXPECT_EQ(C(node).GetInt32(kImageIndex, -1), 0);
  EXPECT_FALSE(Scene().IsParameterEnabled(node, kFixedImage));
}

TEST_F(FaceCaptureObjectTest, AnExistingTargetIsKeptAndDressedOnce) {
  scn::SceneNode* target = scn::AllocatePolygonObject(4, 1);
  ASSERT_TRUE(scn::InsertObject(doc_, target));
  scn::SceneNode* node = NewObject();
  C(node).SetLink(kTargetLink, scn::GetNodeId(target));
  const std::filesystem::path folder = Write(Options(3));
  Load(node, folder);
  EXPECT_EQ(Target(node), target);
  EXPECT_EQ(Scene().FindObject(doc_, "Face Mesh"), nullptr);
  ASSERT_NE(scn::GetFirstTag(target, scn::kTagTexture), nullptr);
  Load(node, folder);
  EXPECT_EQ(Scene().UndoSteps(doc_).size(), 1u) << "a target with a texture gets no second material";
}

// Without camera images nothing projects texture coordinates: the mesh keeps those of "faceGeo.txt".
TEST_F(FaceCaptureObjectTest, TheMeshTakesItsTextureCoordinatesFromEitherLayout) {
  for (const bool perPoint : {false, true}) {
    SCOPED_TRACE(perPoint ? "one UV per point" : "one UV per corner");
    fx::FaceCaptureOptions o = Options(2);
    o.name = perPoint ? "PerPoint" : "PerCorner";
    o.hasImages = false;
    o.imageCount = 0;
    o.uvPerPoint = perPoint;
    scn::SceneNode* node = Loaded(o);
    scn::SceneNode* uvw = scn::GetFirstTag(Target(node), scn::kTagUVW);
    ASSERT_NE(uvw, nullptr);
    const fx::FaceMesh mesh = fx::MakeFaceMesh(o.seed);
    auto uv = [&](std::size_t corner) {
      const auto& p = mesh.pointUvs[mesh.triangles[corner]];
      return scn::Vector{p[0], p[1], 0.0};
    };
    const int polygons = scn::GetPolygonCount(Target(node));
    ASSERT_EQ(polygons, static_cast<int>(mesh.triangles.size() / 3));
    for (int j = 0; j < polygons; ++j) {
      scn::UVWPolygon got;
      ASSERT_TRUE(scn::GetUVW(uvw, j, &got));
      const std::size_t k = 3 * static_cast<std::size_t>(j);
      ASSERT_EQ(got.a, uv(k)) << "polygon " << j;
      ASSERT_EQ(got.b, uv(k + 1)) << "polygon " << j;
      ASSERT_EQ(got.c, uv(k + 2)) << "polygon " << j;
      ASSERT_EQ(got.d, uv(k + 2)) << "polygon " << j;
    }
  }
}

TEST_F(FaceCaptureObjectTest, TextureCoordinatesOfNeitherLayoutAreLeftOutAndLogged) {
  fx::FaceCaptureOptions o = Options(2);
  o.hasImages = false;
  o.imageCount = 0;
  const std::filesystem::path folder = Write(o);
  auto t = Tokens(folder / "faceGeo.txt");
  const std::size_t uvCount = 2 + 3 * 1220 + 1 + fx::MakeFaceMesh(o.seed).triangles.size();
  ASSERT_EQ(t.at(uvCount), std::to_string(fx::MakeFaceMesh(o.seed).triangles.size()));
  t[uvCount] = "5";
  WriteTokens(folder / "faceGeo.txt", t);
  scn::SceneNode* node = NewObject();
  Load(node, folder);
  ASSERT_NE(Target(node), nullptr) << "the mesh is still built";
  scn::SceneNode* uvw = scn::GetFirstTag(Target(node), scn::kTagUVW);
  ASSERT_NE(uvw, nullptr);
  for (int j : {0, 500, scn::GetPolygonCount(Target(node)) - 1}) {
    scn::UVWPolygon got;
    ASSERT_TRUE(scn::GetUVW(uvw, j, &got));
    EXPECT_EQ(got.a, scn::Vector{}) << j;
    EXPECT_EQ(got.c, scn::Vector{}) << j;
  }
  const std::string corners = std::to_string(fx::MakeFaceMesh(o.seed).triangles.size());
  EXPECT_TRUE(H().diagnostics().Contains("5 texture coordinates fit neither the " + corners +
                                         " triangle corners nor the 1220 points"));
}

struct BadInput {
  const char* name;
  void (*spoil)(const std::filesystem::path& folder);
  const char* framesKept;
  bool buildsTarget;
  const char* file;    // the file the diagnostic names first
  const char* logged;  // part of what it says was wrong
};

const BadInput kBadInputs[] = {
    {"truncated frames",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceData.txt");
       t.resize(2 * kFrameTokens + 500);
       WriteTokens(f / "faceData.txt", t);
     },
     "2", false, "faceData.txt", ": frame 2 (of 4, from 0): expected 1220 vertices (3 numbers each)"},
    {"frame version 3",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceData.txt");
       t[kFrameTokens] = "3";
       WriteTokens(f / "faceData.txt", t);
     },
     "1", false, "faceData.txt", ": frame 1 (of 4, from 0): the frame version 3 is neither 1 nor 2"},
    {"name count that never completes",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceData.txt");
       t[kFrameTokens + kWeightCountToken] = "2000000000";
       t.resize(kFrameTokens + kWeightCountToken + 21);
       WriteTokens(f / "faceData.txt", t);
     },
     "1", false, "faceData.txt", ": frame 1 (of 4, from 0): expected the blendshape weights"},
    {"a number that is none",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceData.txt");
       t[kFrameTokens + 40] = "x1";
       WriteTokens(f / "faceData.txt", t);
     },
     "1", false, "faceData.txt", ": frame 1 (of 4, from 0): expected the camera intrinsics (9 numbers)"},
    {"settings that end early",
     [](const std::filesystem::path& f) {
       WriteTokens(f / "settings.txt", {"2", "30.0", "true"});
     },
     "4", true, "settings.txt", ": cannot be read to its end; the capture plays with the default settings"},
    {"no faceData.txt", [](const std::filesystem::path& f) { std::filesystem::remove(f / "faceData.txt"); },
     "0", false, "faceData.txt", " does not exist"},
    {"geometry promising two billion points",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceGeo.txt");
       t[1] = "2000000000";
       WriteTokens(f / "faceGeo.txt", t);
     },
     "4", false, "faceGeo.txt", " of 2000000000 (3 numbers); no face mesh"},
    {"geometry of another version",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceGeo.txt");
       t[0] = "2";
       WriteTokens(f / "faceGeo.txt", t);
     },
     "4", false, "faceGeo.txt", ": expected version 1; no face mesh"},
    {"geometry naming a point it lacks",
     [](const std::filesystem::path& f) {
       auto t = Tokens(f / "faceGeo.txt");
       t[2 + 3 * 1220 + 1] = "1220";
       WriteTokens(f / "faceGeo.txt", t);
     },
     "4", false, "faceGeo.txt", ": point index 0 names point 1220 of 1220; no face mesh"},
};

class FaceCaptureBadInputTest : public FaceCaptureTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(FaceCaptureBadInputTest, KeepsTheWholeFramesReadClearsTheStatusAndLogsTheCauseOnce) {
  const std::filesystem::path folder = Write(Options(4));
  GetParam().spoil(folder);
  scn::SceneNode* node = NewObject();
  Load(node, folder);
  EXPECT_EQ(C(node).GetString(kFrameCountText), GetParam().framesKept);
  EXPECT_EQ(Target(node) != nullptr, GetParam().buildsTarget);
  EXPECT_EQ(H().status().Text(), "");
  EXPECT_EQ(H().status().Progress(), -1);
  EvaluateAt(0);  // what was kept plays without harm
  EvaluateAt(1);
  const std::string prefix = std::string(GetParam().file) + ": " + (folder / GetParam().file).string();
  const auto lines = H().diagnostics().Lines();
  const auto logged = std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.rfind(prefix, 0) == 0 && line.find(GetParam().logged) != std::string::npos;
  });
  EXPECT_EQ(logged, 1) << prefix << "..." << GetParam().logged << "\nnot once in:\n"
                       << ::testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(Files, FaceCaptureBadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST_F(FaceCaptureObjectTest, EnablingFollowsTheSwitchesLinksAndFrames) {
  scn::SceneNode* node = NewObject();
  auto enabled = [&](scn::Int32 id) { return Scene().IsParameterEnabled(node, id); };
  // Nothing loaded: the values only version-2 frames carry are shown.
  EXPECT_TRUE(enabled(2151));
  EXPECT_TRUE(enabled(2302));
  EXPECT_TRUE(enabled(2309));
  EXPECT_TRUE(enabled(kCameraLink));
  EXPECT_TRUE(enabled(kMakeCamera));
  EXPECT_TRUE(enabled(1039)) << "no target yet";
  EXPECT_FALSE(enabled(1020)) << "the offset is the identity";
  EXPECT_FALSE(enabled(1009));
  EXPECT_FALSE(enabled(kImageIndex));
  EXPECT_TRUE(enabled(1035));
  EXPECT_FALSE(enabled(1036));
  EXPECT_TRUE(enabled(2150)) << "an id without a rule";

  ASSERT_TRUE(scn::SetParameter(node, kUseCamera, scn::Bool(false)));
  EXPECT_FALSE(enabled(kCameraLink));

  Load(node, Write(Options(3, 1)));
  EXPECT_FALSE(enabled(2151)) << "version-1 frames carry no tongue";
  EXPECT_FALSE(enabled(2304));
  EXPECT_FALSE(enabled(2306));
  EXPECT_TRUE(enabled(2305));
  EXPECT_FALSE(enabled(1039)) << "loading built the target";
  EXPECT_TRUE(enabled(kFixedImage));

  ASSERT_TRUE(scn::SetParameter(node, kFixedImage, scn::Bool(true)));
  EXPECT_TRUE(enabled(1009));
  EXPECT_TRUE(enabled(kImageIndex));
  EXPECT_FALSE(enabled(1035)) << "a fixed image loads no images";

  Press(node, kMakeCamera);
  EXPECT_FALSE(enabled(kMakeCamera)) << "the camera exists";
  scn::SceneNode* camera = scn::ResolveLinkValue(doc_, C(node).GetLink(kCameraLink), scn::kTypeCamera);
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(scn::GetNodeName(camera), "Face Camera [LOCKED]");
  scn::FreeSceneNode(camera);
  EXPECT_TRUE(enabled(kMakeCamera));

  // A version-2 capture shows them again.
  Load(node, Write([] {
         fx::FaceCaptureOptions o = Options(2);
         o.name = "Second";
         return o;
       }()));
  EXPECT_TRUE(enabled(2151));
  EXPECT_TRUE(enabled(2308));
}

TEST_F(FaceCaptureObjectTest, CopyingOntoItselfKeepsTheFrames) {
  const fx::FaceCaptureOptions o = Options(10);
  scn::SceneNode* node = Loaded(o);
  scn::NodeData* data = scn::GetNodeData(node);
  ASSERT_TRUE(data->CopyNodeData(data, node, node));
  EvaluateAt(6);
  EXPECT_EQ(ShownFrame(node, o), 6);
}

TEST_F(FaceCaptureObjectTest, AClonePlaysTheSamePerformance) {
  const fx::FaceCaptureOptions o = Options(10);
  scn::SceneNode* node = Loaded(o);
  scn::SceneNode* target = Target(node);
  scn::SceneNode* clone = scn::CloneNode(node);
  ASSERT_NE(clone, nullptr);
  scn::FreeSceneNode(node);
  ASSERT_TRUE(scn::InsertObject(doc_, clone));
  EvaluateAt(7);
  EXPECT_EQ(ShownFrame(clone, o), 7);
  const auto v = fx::FrameValues(o, 7).vertices[100];
  EXPECT_EQ(scn::GetPointsW(target)[100], (scn::Vector{v[0], v[1], v[2]} * 100.0));
}

TEST_F(FaceCaptureObjectTest, ASceneRecordRoundTripsThePerformance) {
  const fx::FaceCaptureOptions o = Options(6);
  scn::SceneNode* node = Loaded(o);
  auto rf = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::GetNodeData(node)->SaveNodeData(node, rf.get()));
  const std::string bytes = host::RecordFile::Bytes(*rf);

  scn::SceneNode* copy = NewObject("Copy");
  auto in = host::RecordFile::ForReading(bytes);
  ASSERT_TRUE(scn::GetNodeData(copy)->LoadNodeData(copy, in.get(), 3));
  EXPECT_TRUE(host::RecordFile::AtEnd(*in));
  EXPECT_EQ(C(copy).GetInt32(kTurn), 1) << "a level-3 record keeps the turn";
  C(copy).SetLink(kTargetLink, scn::GetNodeId(Target(node)));
  scn::FreeSceneNode(node);
  EvaluateAt(4);
  EXPECT_EQ(ShownFrame(copy, o), 4);
  EXPECT_FALSE(Scene().IsParameterEnabled(copy, 1039));

  // Every shorter record is refused without harm.
  for (std::size_t cut : {std::size_t{0}, bytes.size() / 3, bytes.size() - 1}) {
    scn::SceneNode* other = NewObject("Short");
    auto shortRf = host::RecordFile::ForReading(bytes.substr(0, cut));
    EXPECT_FALSE(scn::GetNodeData(other)->LoadNodeData(other, shortRf.get(), 3)) << cut;
    scn::FreeSceneNode(other);
  }
}

TEST_F(FaceCaptureObjectTest, ASceneRecordWhoseImageListLeavesTheCaptureFolderIsRefused) {
  scn::SceneNode* node = Loaded(Options(3));
  auto rf = host::RecordFile::ForWriting();
  ASSERT_TRUE(scn::GetNodeData(node)->SaveNodeData(node, rf.get()));
  std::string bytes = host::RecordFile::Bytes(*rf);
  const std::string stored = "Take_00001.jpg", outside = "../x_00001.jpg";  // of one length
  const std::size_t at = bytes.find(stored);
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, stored.size(), outside);

  scn::SceneNode* copy = NewObject("Copy");
  auto in = host::RecordFile::ForReading(bytes);
  EXPECT_FALSE(scn::GetNodeData(copy)->LoadNodeData(copy, in.get(), 3));
  EXPECT_TRUE(H().diagnostics().Contains("refusing the image file \"../x_00001.jpg\""));
}

TEST_F(FaceCaptureObjectTest, ALevelZeroRecordTurnsNoNewMeshes) {
  auto rf = host::RecordFile::ForWriting();
  scn::NodeLink* link = scn::AllocateLink();
  ASSERT_TRUE(scn::WriteRecordMatrix(rf.get(), scn::Matrix{}));
  ASSERT_TRUE(scn::WriteLinkRecord(rf.get(), link));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(scn::WriteRecordInt32(rf.get(), 0));  // frames, images
  ASSERT_TRUE(scn::WriteRecordBool(rf.get(), false));                           // no mesh
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(scn::WriteRecordInt32(rf.get(), 0));  // uvs, indices, image size
  ASSERT_TRUE(scn::WriteRecordFloat64(rf.get(), 25.0));
  ASSERT_TRUE(scn::WriteRecordBool(rf.get(), true));
  ASSERT_TRUE(scn::WriteRecordInt32(rf.get(), 0));
  ASSERT_TRUE(scn::WriteRecordString(rf.get(), "old"));
  scn::FreeLink(link);

  scn::SceneNode* node = NewObject();
  auto in = host::RecordFile::ForReading(host::RecordFile::Bytes(*rf));
  ASSERT_TRUE(scn::GetNodeData(node)->LoadNodeData(node, in.get(), 0));
  EXPECT_TRUE(host::RecordFile::AtEnd(*in));
  EXPECT_EQ(C(node).GetInt32(kTurn, -1), 0);
}

}  // namespace
}  // namespace facetest
