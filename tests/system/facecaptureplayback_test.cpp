// Playing a face capture back through the loaded module: which frame a document time shows, the frame
// modes, the target mesh, the mirrored weights, the projected texture coordinates and the matrices.
#include <cmath>

#include "facecapturetest.h"

namespace facetest {
namespace {

constexpr double kTolerance = 1e-9;

scn::Vector Point(const std::array<double, 3>& p) {
  return {p[0], p[1], p[2]};
}

void ExpectNear(const scn::Vector& a, const scn::Vector& b, const char* what) {
  EXPECT_NEAR(a.x, b.x, kTolerance) << what;
  EXPECT_NEAR(a.y, b.y, kTolerance) << what;
  EXPECT_NEAR(a.z, b.z, kTolerance) << what;
}

void ExpectNear(const scn::Matrix& a, const scn::Matrix& b) {
  ExpectNear(a.off, b.off, "offset");
  ExpectNear(a.v1, b.v1, "x axis");
  ExpectNear(a.v2, b.v2, "y axis");
  ExpectNear(a.v3, b.v3, "z axis");
}

// A half turn about the y axis, applied after m.
scn::Matrix TurnedAboutY(const scn::Matrix& m) {
  auto turn = [](const scn::Vector& v) { return scn::Vector{-v.x, v.y, -v.z}; };
  return {turn(m.off), turn(m.v1), turn(m.v2), turn(m.v3)};
}

struct FrameCase {
  const char* name;
  int start, first, length;
  bool loop;
  int documentFrame;
  int shown;  // -1: no frame of the capture
};

const FrameCase kFrameCases[] = {
    {"before the start", 10, 5, 20, false, 3, 5},
    {"at the start", 10, 5, 20, false, 10, 5},
    {"inside", 10, 5, 20, false, 12, 7},
    {"past the end holds the last", 0, 5, 8, false, 9, 12},
    {"past the end loops", 0, 5, 8, true, 9, 6},
    // The length counts from the first capture frame: 10 to 29 all show, once or looped.
    {"a late first frame plays its whole length", 0, 10, 20, false, 15, 25},
    {"a late first frame holds its last", 0, 10, 20, false, 25, 29},
    {"a late first frame loops back to it", 0, 10, 20, true, 20, 10},
    {"a late first frame loops its whole length", 0, 10, 20, true, 39, 29},
    {"a late start and first frame", 4, 10, 20, true, 25, 11},
    {"length zero never wraps", 0, 5, 0, true, 20, 25},
    {"beyond the capture", 0, 0, 0, false, 40, -1},
    {"before the capture", 0, -3, 0, false, 1, -1},
};

class FrameIndexTest : public FaceCaptureTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameIndexTest, TheDocumentFrameShowsItsCaptureFrame) {
  const FrameCase& c = GetParam();
  const fx::FaceCaptureOptions o = Options(30);
  scn::SceneNode* node = Loaded(o);
  ASSERT_TRUE(scn::SetParameter(node, kStart, c.start));
  ASSERT_TRUE(scn::SetParameter(node, kFirst, c.first));
  ASSERT_TRUE(scn::SetParameter(node, kLength, c.length));
  ASSERT_TRUE(scn::SetParameter(node, kLoop, scn::Bool(c.loop)));
  EvaluateAt(c.documentFrame);
  EXPECT_EQ(ShownFrame(node, o), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Times, FrameIndexTest, ::testing::ValuesIn(kFrameCases), [](const auto& info) {
  std::string n = info.param.name;
  for (char& ch : n)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

// Runs of three identical frames: 0-2, 3-5, 6-8, 9-11; each run's first frame has its own image.
class FrameModeTest : public FaceCaptureTest {
 protected:
  void SetUp() override {
    FaceCaptureTest::SetUp();
    options_ = Options(12);
    options_.repeatRun = 3;
    node_ = Loaded(options_);
    target_ = Target(node_);
    ASSERT_NE(target_, nullptr);
  }
  void SetMode(scn::Int32 mode) { ASSERT_TRUE(scn::SetParameter(node_, kFrameMode, mode)); }
  scn::Vector Vertex(int frame, int i) const {
    return Point(fx::FrameValues(options_, frame).vertices[i]) * 100.0;
  }
  scn::Vector MeshPoint(int i) { return scn::GetPointsW(target_)[i]; }

  fx::FaceCaptureOptions options_;
  scn::SceneNode* node_ = nullptr;
  scn::SceneNode* target_ = nullptr;
};

TEST_F(FrameModeTest, EveryFrameCopiesTheFrame) {
  EvaluateAt(4);
  EXPECT_EQ(ShownFrame(node_, options_), 4);
  for (int i : {0, 611, 1219}) EXPECT_EQ(MeshPoint(i), Vertex(4, i)) << i;
}

TEST_F(FrameModeTest, BlendingMovesLinearlyBetweenTheImageFrames) {
  ASSERT_EQ(fx::FrameValues(options_, 4).vertices, fx::FrameValues(options_, 3).vertices);
  SetMode(1029);
  EvaluateAt(4);
  EXPECT_EQ(ShownFrame(node_, options_), 4) << "the weights are the frame's own";
  for (int i : {0, 611, 1219})
    ExpectNear(MeshPoint(i), Vertex(3, i) * (2.0 / 3.0) + Vertex(6, i) * (1.0 / 3.0), "blend");
  EvaluateAt(6);
  EXPECT_EQ(MeshPoint(611), Vertex(6, 611)) << "a frame with its own image is copied";
  EvaluateAt(10);
  EXPECT_EQ(MeshPoint(611), Vertex(10, 611)) << "the last run has no later image to blend to";
}

TEST_F(FrameModeTest, ImageFramesOnlySkipsTheRepeatedFrames) {
  SetMode(1030);
  EvaluateAt(6);
  EvaluateAt(7);
  EXPECT_EQ(ShownFrame(node_, options_), 6) << "frame 7 has no image of its own: nothing changes";
  EvaluateAt(3);
  EXPECT_EQ(ShownFrame(node_, options_), 3);
  EXPECT_EQ(MeshPoint(5), Vertex(3, 5));
}

TEST_F(FaceCaptureTest, ATargetSmallerThanTheFaceGrows) {
  scn::SceneNode* target = scn::AllocatePolygonObject(10, 2);
  ASSERT_TRUE(scn::InsertObject(doc_, target));
  scn::SceneNode* node = NewObject();
  C(node).SetLink(kTargetLink, scn::GetNodeId(target));
  const fx::FaceCaptureOptions o = Options(3);
  Load(node, Write(o));
  EvaluateAt(1);
  EXPECT_EQ(scn::GetPointCount(target), 1220);
  EXPECT_EQ(scn::GetPolygonCount(target), static_cast<int>(fx::MakeFaceMesh(o.seed).triangles.size() / 3));
  EXPECT_EQ(scn::GetPointsW(target)[1219], Point(fx::FrameValues(o, 1).vertices[1219]) * 100.0);
  EXPECT_GE(Scene().MessageCount(target, scn::kMsgUpdate), 2) << "resized, then written";
}

TEST_F(FaceCaptureTest, TheWeightsAreMirroredUnlessTheSidesAreKept) {
  const fx::FaceCaptureOptions o = Options(3);
  scn::SceneNode* node = Loaded(o);
  EvaluateAt(2);
  EXPECT_EQ(C(node).GetFloat(2107), FixtureWeight(o, 2, "eyeBlink_L")) << "left lands on right";
  EXPECT_EQ(C(node).GetFloat(2100), FixtureWeight(o, 2, "eyeBlink_R"));
  EXPECT_EQ(C(node).GetFloat(2139), FixtureWeight(o, 2, "mouthUpperUp_R"));
  EXPECT_EQ(C(node).GetFloat(2114), FixtureWeight(o, 2, "jawForward")) << "a centre shape stays";
  EXPECT_EQ(C(node).GetFloat(2151), FixtureWeight(o, 2, "tongueOut"));

  ASSERT_TRUE(scn::SetParameter(node, kKeepSides, scn::Bool(true)));
  EvaluateAt(2);
  EXPECT_EQ(C(node).GetFloat(2100), FixtureWeight(o, 2, "eyeBlink_L"));
  EXPECT_EQ(C(node).GetFloat(2107), FixtureWeight(o, 2, "eyeBlink_R"));
}

// p = C^-1 (F (v x 100)), pixel = (p.x fx / p.z + cx, p.y fy / p.z + cy), uv = (1 - px / w, py / h, 1),
// with C's inverse solved by Cramer's rule.
scn::Vector ExpectedUv(const fx::FaceFrameValues& f, const std::array<double, 3>& vertex, double w,
                       double h) {
  auto apply = [](const std::array<double, 16>& m, const double p[3], double scaleOffset, double out[3]) {
    for (int r = 0; r < 3; ++r)
      out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * scaleOffset;
  };
  const double v[3] = {vertex[0] * 100.0, vertex[1] * 100.0, vertex[2] * 100.0};
  double world[3];
  apply(f.face, v, 100.0, world);
  const auto& c = f.camera;
  const double b[3] = {world[0] - c[12] * 100.0, world[1] - c[13] * 100.0, world[2] - c[14] * 100.0};
  auto det = [](const double* x, const double* y, const double* z) {
    return x[0] * (y[1] * z[2] - y[2] * z[1]) - y[0] * (x[1] * z[2] - x[2] * z[1]) +
           z[0] * (x[1] * y[2] - x[2] * y[1]);
  };
  const double* cx = &c[0];
  const double* cy = &c[4];
  const double* cz = &c[8];
  const double d = det(cx, cy, cz);
  const double p[3] = {det(b, cy, cz) / d, det(cx, b, cz) / d, det(cx, cy, b) / d};
  const auto& k = f.intrinsics;  // (fx,0,0), (0,fy,0), (cx,cy,1)
  const double px = p[0] * k[0] / p[2] + k[6], py = p[1] * k[4] / p[2] + k[7];
  return {1.0 - px / w, py / h, 1.0};
}

TEST_F(FaceCaptureTest, TextureCoordinatesAreProjectedFromTheCaptureCamera) {
  const fx::FaceCaptureOptions o = Options(3);
  scn::SceneNode* node = Loaded(o);
  EvaluateAt(1);
  scn::SceneNode* uvw = scn::GetFirstTag(Target(node), scn::kTagUVW);
  ASSERT_NE(uvw, nullptr);
  const fx::FaceFrameValues frame = fx::FrameValues(o, 1);
  const fx::FaceMesh mesh = fx::MakeFaceMesh(o.seed);
  const int polygons = scn::GetPolygonCount(Target(node));
  for (int j = 0; j < polygons; j += 97) {
    scn::UVWPolygon uv;
    ASSERT_TRUE(scn::GetUVW(uvw, j, &uv));
    const auto& t = mesh.triangles;
    ExpectNear(uv.a, ExpectedUv(frame, frame.vertices[t[3 * j]], o.imageWidth, o.imageHeight), "corner a");
    ExpectNear(uv.b, ExpectedUv(frame, frame.vertices[t[3 * j + 1]], o.imageWidth, o.imageHeight),
               "corner b");
    ExpectNear(uv.d, ExpectedUv(frame, frame.vertices[t[3 * j + 2]], o.imageWidth, o.imageHeight),
               "corner d");
  }
}

// The host camera of a frame: the capture camera turned to look down +z, C x Rz(-pi/2) x Ry(pi).
scn::Matrix HostCamera(const scn::Matrix& c) {
  return {c.off, c.v2 * -1.0, c.v1 * -1.0, c.v3 * -1.0};
}

TEST_F(FaceCaptureTest, TheTargetAndTheCameraFollowTheCapture) {
  const fx::FaceCaptureOptions o = Options(4);
  scn::SceneNode* node = Loaded(o);
  scn::SceneNode* target = Target(node);
  Press(node, kMakeCamera);
  scn::SceneNode* camera = scn::ResolveLinkValue(doc_, C(node).GetLink(kCameraLink), scn::kTypeCamera);
  ASSERT_NE(camera, nullptr);
  const fx::FaceFrameValues frame = fx::FrameValues(o, 2);
  const scn::Matrix face = HostMatrix(frame.face);
  const scn::Matrix hostCamera = HostCamera(HostMatrix(frame.camera));

  EvaluateAt(2);  // 1200 = 1: new meshes are turned by pi
  ExpectNear(scn::GetLocalMatrix(target), TurnedAboutY(face));
  ExpectNear(scn::GetLocalMatrix(camera), TurnedAboutY(hostCamera));
  ExpectNear(C(node).GetMatrix(kFaceMatrix), TurnedAboutY(face));
  ExpectNear(C(node).GetMatrix(kCameraMatrix), TurnedAboutY(hostCamera));
  ExpectNear(C(node).GetVector(1101), TurnedAboutY(face).off, "face position");
  ExpectNear(C(node).GetMatrix(2302), HostMatrix(frame.leftEye));

  ASSERT_TRUE(scn::SetParameter(node, kTurn, scn::Int32{0}));
  EvaluateAt(2);
  ExpectNear(scn::GetLocalMatrix(target), face);
  ExpectNear(scn::GetLocalMatrix(camera), hostCamera);
  ExpectNear(C(node).GetMatrix(kCameraMatrix), hostCamera);

  ASSERT_TRUE(scn::SetParameter(node, kApplyToTarget, scn::Bool(false)));
  EvaluateAt(2);
  ExpectNear(scn::GetLocalMatrix(target), scn::Matrix{face.off});

  ASSERT_TRUE(scn::SetParameter(node, kApplyToTarget, scn::Bool(true)));
  ASSERT_TRUE(scn::SetParameter(node, kUseCamera, scn::Bool(false)));
  scn::SetLocalMatrix(camera, scn::Matrix{});
  EvaluateAt(2);
  ExpectNear(scn::GetLocalMatrix(target), scn::Matrix{{}, face.v1, face.v2, face.v3});
  EXPECT_EQ(scn::GetLocalMatrix(camera), scn::Matrix{}) << "the camera is left alone";
}

}  // namespace
}  // namespace facetest
