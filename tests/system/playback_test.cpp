// kinetra-host --play, run as a user runs it: a child process on a generated capture folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hostprocess.h"
#include "kinetra_fixture/facecapturefixture.h"
#include "scn/types.h"
#include "tempdir.h"

namespace {

namespace fs = std::filesystem;
namespace fx = kinetra::fixture;

using Outcome = HostOutcome;

std::string Quoted(const std::string& text) {
  return ShellQuoted(text);
}

std::string FrameFile(const fs::path& dir, int frame, const char* suffix) {
  char name[32];
  std::snprintf(name, sizeof name, "frame_%05d.%s", frame, suffix);
  return (dir / name).string();
}

std::vector<scn::Vector> ObjVertices(const std::string& obj) {
  std::vector<scn::Vector> points;
  std::istringstream in(obj);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("v ", 0) != 0) continue;
    std::istringstream v(line.substr(2));
    scn::Vector p;
    v >> p.x >> p.y >> p.z;
    points.push_back(p);
  }
  return points;
}

// The numbers after the first word of the report line that starts with label.
std::vector<double> ReportLine(const std::string& report, const std::string& label) {
  std::istringstream in(report);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(label + ' ', 0) != 0) continue;
    std::istringstream fields(line.substr(label.size()));
    std::vector<double> numbers;
    for (double v; fields >> v;) numbers.push_back(v);
    return numbers;
  }
  return {};
}

scn::Matrix MatrixOf(const std::vector<double>& n) {
  if (n.size() != 12) return {};
  return {{n[0], n[1], n[2]}, {n[3], n[4], n[5]}, {n[6], n[7], n[8]}, {n[9], n[10], n[11]}};
}

double FixtureWeight(const fx::FaceFrameValues& values, const std::string& name) {
  for (const auto& [n, v] : values.weights)
    if (n == name) return v;
  return -1.0;
}

class PlaybackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    options_.name = "Take";
    options_.frameCount = 8;
    options_.seed = 5;
    std::string error;
    ASSERT_TRUE(fx::WriteFaceCapture(temp_.path(), options_, &error)) << error;
  }

  // Runs the program in folder cwd.
  Outcome Play(const std::string& args, const fs::path& cwd) { return RunHost("--play " + args, cwd, temp_); }

  std::string Capture() const { return Quoted((temp_ / options_.name).string()); }

  // The mesh is the fixture's frame in centimetres through the written local matrix, and the centre
  // weight jawOpen (never mirrored) is the fixture's.
  void ExpectFrame(const fs::path& dir, int frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    const std::string report = ReadFileBytes(FrameFile(dir, frame, "txt"));
    const std::vector<scn::Vector> points = ObjVertices(ReadFileBytes(FrameFile(dir, frame, "obj")));
    const fx::FaceFrameValues values = fx::FrameValues(options_, frame);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(fx::kFaceVertexCount));
    const scn::Matrix local = MatrixOf(ReportLine(report, "target"));
    EXPECT_NE(local, scn::Matrix{}) << "the target is placed by the face matrix";
    for (std::size_t i = 0; i < points.size(); i += 97) {
      const auto& v = values.vertices[i];
      const scn::Vector expected = local * scn::Vector{v[0] * 100.0, v[1] * 100.0, v[2] * 100.0};
      EXPECT_NEAR(points[i].x, expected.x, 1e-9) << "vertex " << i;
      EXPECT_NEAR(points[i].y, expected.y, 1e-9) << "vertex " << i;
      EXPECT_NEAR(points[i].z, expected.z, 1e-9) << "vertex " << i;
    }
    const std::vector<double> jaw = ReportLine(report, "2117");
    ASSERT_EQ(jaw.size(), 1u);
    EXPECT_EQ(jaw[0], static_cast<double>(static_cast<float>(FixtureWeight(values, "jawOpen"))));
    EXPECT_EQ(ReportLine(report, "face").size(), 12u);
  }

  TempDir temp_;
  fx::FaceCaptureOptions options_;
};

TEST_F(PlaybackTest, WritesTheChosenFramesIntoANewOutFolder) {
  const fs::path out = temp_ / "played" / "take";
  const Outcome o = Play(Capture() + " --frames 1,3-4 --out " + Quoted(out.string()), temp_.path());
  ASSERT_EQ(o.code, 0) << o.err;
  for (int frame : {1, 3, 4}) {
    ExpectFrame(out, frame);
    EXPECT_NE(o.out.find("frame " + std::to_string(frame) + ":"), std::string::npos) << o.out;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 6);
}

TEST_F(PlaybackTest, WithoutFramesOrOutFolderFrameZeroGoesToTheCurrentFolder) {
  const fs::path here = temp_ / "here";
  fs::create_directories(here);
  const Outcome o = Play(Capture() + " --quiet", here);
  ASSERT_EQ(o.code, 0) << o.err;
  ExpectFrame(here, 0);
  EXPECT_EQ(o.out, "");
}

TEST_F(PlaybackTest, RefusesWhatItCannotPlay) {
  struct Case {
    const char* name;
    std::string args;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"missing folder", Quoted((temp_ / "Nowhere").string()), "does not exist"},
      {"backward range", Capture() + " --frames 5-2", "bad frame list '5-2'"},
      {"empty item", Capture() + " --frames 1,,2", "bad frame list '1,,2'"},
      {"no number", Capture() + " --frames 1,x", "bad frame list '1,x' at 'x'"},
      {"negative", Capture() + " --frames -3", "bad frame list '-3'"},
  };
  const fs::path out = temp_ / "refused";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome o = Play(c.args + " --quiet --out " + Quoted(out.string()), temp_.path());
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(PlaybackTest, AFailedLoadIsReportedWithItsCause) {
  const fs::path data = temp_ / options_.name / "faceData.txt";
  const std::string whole = ReadFileBytes(data);
  // Cut inside frame 5 of 8: its vertices end early.
  std::size_t cut = 0;
  for (int frames = 0; frames < 5; ++frames) cut = whole.find("\n2\n", cut + 1);
  ASSERT_NE(cut, std::string::npos);
  {
    std::ofstream out(data, std::ios::binary | std::ios::trunc);
    out << whole.substr(0, cut + 2000);
  }
  const Outcome o = Play(Capture() + " --quiet --out " + Quoted((temp_ / "out").string()), temp_.path());
  EXPECT_EQ(o.code, 1);
  EXPECT_NE(o.err.find("faceData.txt: " + data.string() + ": frame 5 (of 8, from 0): expected 1220 vertices"),
            std::string::npos)
      << o.err;
  EXPECT_EQ(o.err.find("faceGeo.txt"), std::string::npos) << "the geometry is fine: " << o.err;
}

}  // namespace
