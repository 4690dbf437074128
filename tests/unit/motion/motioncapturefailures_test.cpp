// Body captures that cannot load: missing files, counts that disagree, and truncated or garbled
// binary files. None may crash, show a half-read frame or leave the status bar set.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "motioncapturetest.h"
#include "tempdir.h"

namespace {

using namespace motiontest;
namespace fs = std::filesystem;

constexpr int kJoints = 3;
constexpr int kFrames = 4;

fx::BodyCaptureOptions Options(const std::string& name) {
  fx::BodyCaptureOptions options;
  options.name = name;
  options.jointCount = kJoints;
  options.frameCount = kFrames;
  options.seed = 5;
  return options;
}

void Truncate(const fs::path& file, std::size_t size) {
  fs::resize_file(file, size);
}

void PutInt32(const fs::path& file, std::size_t at, std::int32_t value) {
  std::string bytes = ReadFileBytes(file);
  ASSERT_LE(at + 4, bytes.size());
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void PutByte(const fs::path& file, std::size_t at, char value) {
  std::string bytes = ReadFileBytes(file);
  ASSERT_LT(at, bytes.size());
  bytes[at] = value;
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::size_t FrameAt(int i) {
  return kHeaderBytes + EntryBytes(kJoints) * i;
}

// Where the parts of the generated skeleton.bin start.
struct SkeletonLayout {
  std::vector<std::size_t> jointAt;  // the joint's name
  std::size_t restACountAt = 0;
  std::size_t restBCountAt = 0;
};

SkeletonLayout Layout(const fx::BodyCaptureOptions& options) {
  SkeletonLayout layout;
  std::size_t at = 4;
  for (const fx::BodyJointValues& joint : fx::BodySkeleton(options).joints) {
    layout.jointAt.push_back(at);
    at += joint.name.size() + 1 + 12;
  }
  layout.restACountAt = at;
  layout.restBCountAt = at + 4 + 64 * options.jointCount;
  return layout;
}

class MotionCaptureFailureTest : public MotionCaptureTest {
 protected:
  // Loads a folder that must fail and checks what every failure leaves.
  void ExpectFailedLoad(const fs::path& folder) {
    C().SetInt32(kMotionLength, -7);
    EXPECT_FALSE(Load(folder));
    EXPECT_FALSE(motion_->loaded);
    EXPECT_EQ(C().GetInt32(kMotionLength), -7) << "the length is written only for a loaded capture";
    ExpectStatusCleared();
  }
};

TEST_F(MotionCaptureFailureTest, MissingFilesAndDisagreeingCountsFail) {
  struct Case {
    const char* what;
    void (*spoil)(const fs::path& folder);
    int settingsFrames;  // -1: as written
    std::size_t framesKept;
  };
  const Case cases[] = {
      {"no motionData.bin", [](const fs::path& f) { fs::remove(f / "motionData.bin"); }, -1, 0},
      {"motionData.bin is a folder",
       [](const fs::path& f) {
         fs::remove(f / "motionData.bin");
         fs::create_directory(f / "motionData.bin");
       },
       -1, 0},
      {"no skeleton.bin", [](const fs::path& f) { fs::remove(f / "skeleton.bin"); }, -1, kFrames},
      {"settings count one more", [](const fs::path&) {}, kFrames + 1, 0},
      {"settings count one less", [](const fs::path&) {}, kFrames - 1, 0},
      {"no settings, so a count of 0", [](const fs::path& f) { fs::remove(f / "settings.txt"); }, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fx::BodyCaptureOptions options = Options(std::string("Case") + std::to_string(&c - cases));
    options.settingsFrameCount = c.settingsFrames;
    const fs::path folder = Generate(options);
    c.spoil(folder);
    ExpectFailedLoad(folder);
    EXPECT_EQ(motion_->frames.size(), c.framesKept);
    ExpectFramesAsGenerated(options);
    EXPECT_TRUE(motion_->joints.empty());
  }
}

TEST_F(MotionCaptureFailureTest, TruncatedOrGarbledMotionDataKeepsOnlyWholeFrames) {
  const std::size_t entry = EntryBytes(kJoints);
  struct Case {
    const char* what;
    std::size_t cutAt;    // 0: not cut
    std::size_t int32At;  // 0: nothing overwritten
    std::int32_t value;
    std::size_t framesKept;
  };
  const Case cases[] = {
      {"cut in the leading word", 2, 0, 0, 0},
      {"cut in the frame count", 6, 0, 0, 0},
      {"cut in frame 0's body matrix", FrameAt(0) + 30, 0, 0, 0},
      {"cut in frame 1's axes", FrameAt(1) + kAxesAt + 10, 0, 0, 1},
      {"cut in frame 1's time", FrameAt(1) + kListACountAt - 2, 0, 0, 1},
      {"cut in frame 2's second list", FrameAt(2) + entry - 10, 0, 0, 2},
      {"cut after frame 2", FrameAt(3), 0, 0, 3},
      {"last byte missing", FrameAt(4) - 1, 0, 0, 3},
      {"frame 1's first list count negative", 0, FrameAt(1) + kListACountAt, -1, 1},
      {"frame 0's first list count beyond the file", 0, FrameAt(0) + kListACountAt, 0x7fffffff, 0},
      {"frame 2's second list count beyond the file", 0, FrameAt(2) + ListBCountAt(kJoints), 1 << 24, 2},
      {"frame 3's second list count one too many", 0, FrameAt(3) + ListBCountAt(kJoints), kJoints + 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fx::BodyCaptureOptions options = Options(std::string("Case") + std::to_string(&c - cases));
    const fs::path folder = Generate(options);
    const fs::path file = folder / "motionData.bin";
    ASSERT_EQ(fs::file_size(file), FrameAt(kFrames)) << "the layout these cases are built on";
    if (c.cutAt) Truncate(file, c.cutAt);
    if (c.int32At) PutInt32(file, c.int32At, c.value);
    ExpectFailedLoad(folder);
    EXPECT_EQ(motion_->frames.size(), c.framesKept);
    ExpectFramesAsGenerated(options);
    EXPECT_EQ(H().memory().LiveBlocksAt("motionframe"), c.framesKept) << "a dropped frame is freed";
    EXPECT_TRUE(motion_->joints.empty()) << "the skeleton is read only after the frames";
  }
}

TEST_F(MotionCaptureFailureTest, AFrameCountTheFileOnlyPromisesReadsTheFramesThereAre) {
  fx::BodyCaptureOptions options = Options("Promise");
  options.settingsFrameCount = 2000000000;
  const fs::path folder = Generate(options);
  PutInt32(folder / "motionData.bin", 4, 2000000000);
  ExpectFailedLoad(folder);
  EXPECT_EQ(motion_->frames.size(), static_cast<std::size_t>(kFrames));
  ExpectFramesAsGenerated(options);
}

TEST_F(MotionCaptureFailureTest, TruncatedOrGarbledSkeletonKeepsWhatWasWhole) {
  const SkeletonLayout layout = Layout(Options("Layout"));
  struct Case {
    const char* what;
    std::size_t cutAt;    // 0: not cut
    std::size_t int32At;  // 0: nothing overwritten (the joint count lies at 0 and is named apart)
    bool atJointCount;
    std::int32_t value;
    std::size_t joints, restA, restB;
    // A count past the real entries reads the bytes after them as more: garbage that can only be
    // bounded, while the entries before it must be right.
    bool moreMayFollow = false;
  };
  const std::size_t s = kJoints;
  const Case cases[] = {
      {"cut in the joint count", 2, 0, false, 0, 0, 0, 0},
      // The name runs to the end of the file and is taken whole; its index cannot be read.
      {"cut in joint 1's name", layout.jointAt[1] + 2, 0, false, 0, 1, 0, 0},
      {"cut after joint 1's name", layout.jointAt[2] - 12, 0, false, 0, 1, 0, 0},
      {"cut in joint 1's tracked flag", layout.jointAt[2] - 2, 0, false, 0, 1, 0, 0},
      {"cut in the rest count A", layout.restACountAt + 2, 0, false, 0, s, 0, 0},
      {"cut in rest matrix A 1", layout.restACountAt + 4 + 64 + 10, 0, false, 0, s, 1, 0},
      {"cut before the rest count B", layout.restBCountAt, 0, false, 0, s, s, 0},
      {"cut in the last rest matrix B", layout.restBCountAt + 4 + 64 * s - 1, 0, false, 0, s, s, s - 1},
      {"joint count negative", 0, 0, true, -1, 0, 0, 0},
      {"joint count beyond the file", 0, 0, true, 0x7fffffff, s, 0, 0, true},
      {"rest count A beyond the file", 0, layout.restACountAt, false, 1 << 28, s, s, 0, true},
      {"rest count B negative", 0, layout.restBCountAt, false, -5, s, s, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fx::BodyCaptureOptions options = Options(std::string("Case") + std::to_string(&c - cases));
    const fs::path folder = Generate(options);
    const fs::path file = folder / "skeleton.bin";
    ASSERT_EQ(fs::file_size(file), layout.restBCountAt + 4 + 64 * s) << "the layout these cases are built on";
    if (c.cutAt) Truncate(file, c.cutAt);
    if (c.int32At || c.atJointCount) PutInt32(file, c.int32At, c.value);
    ExpectFailedLoad(folder);
    EXPECT_EQ(motion_->frames.size(), static_cast<std::size_t>(kFrames)) << "the frames stay";
    if (c.moreMayFollow) {
      ASSERT_GE(motion_->joints.size(), c.joints);
      ASSERT_GE(motion_->restMatricesA.size(), c.restA);
    } else {
      ASSERT_EQ(motion_->joints.size(), c.joints);
      ASSERT_EQ(motion_->restMatricesA.size(), c.restA);
    }
    ASSERT_EQ(motion_->restMatricesB.size(), c.restB);
    const fx::BodySkeletonValues want = fx::BodySkeleton(options);
    for (std::size_t j = 0; j < c.joints; ++j) EXPECT_EQ(motion_->joints[j].name, want.joints[j].name);
    for (std::size_t j = 0; j < c.restA; ++j) EXPECT_EQ(motion_->restMatricesA[j], HostMatrix(want.restA[j]));
    for (std::size_t j = 0; j < c.restB; ++j) EXPECT_EQ(motion_->restMatricesB[j], HostMatrix(want.restB[j]));
  }
}

TEST_F(MotionCaptureFailureTest, AnEmptyJointNameFailsTheLoad) {
  const fx::BodyCaptureOptions options = Options("Nameless");
  const fs::path folder = Generate(options);
  PutByte(folder / "skeleton.bin", Layout(options).jointAt[2], '\0');
  ExpectFailedLoad(folder);
  EXPECT_EQ(motion_->joints.size(), 2u);
  EXPECT_TRUE(motion_->restMatricesA.empty());
}

TEST_F(MotionCaptureFailureTest, OutOfMemoryForAFrameFailsTheLoad) {
  const fx::BodyCaptureOptions options = Options("Memory");
  const fs::path folder = Generate(options);
  H().memory().FailAllocationsAt("motionframe");
  ExpectFailedLoad(folder);
  EXPECT_TRUE(motion_->frames.empty());
  EXPECT_EQ(H().memory().LiveBlocksAt("motionframe"), 0u);
}

}  // namespace
