// "capture.info" of versions 0 to 3 as the host lays it out (little-endian), written by hand here,
// and the writer into a capture folder.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "basecapture.h"
#include "files/fileservice.h"
#include "inprocesshost.h"
#include "preferences.h"

namespace {

// Little-endian bytes as the host writes them for an Intel file.
class InfoBytes {
 public:
  InfoBytes& Int32(std::int32_t v) {
    for (int i = 0; i < 4; ++i)
      bytes_.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
    return *this;
  }
  InfoBytes& Float32(float v) { return Int32(std::bit_cast<std::int32_t>(v)); }
  InfoBytes& Float64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) bytes_.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return *this;
  }
  InfoBytes& Byte(unsigned char b) {
    bytes_.push_back(static_cast<char>(b));
    return *this;
  }
  InfoBytes& String(const std::string& s) {
    Int32(static_cast<std::int32_t>(s.size()));
    bytes_ += s;
    return *this;
  }
  const std::string& str() const { return bytes_; }

 private:
  std::string bytes_;
};

// The first fields every version has.
InfoBytes Head(std::int32_t version) {
  InfoBytes b;
  b.Int32(version).String("Take 1").String("Display").Int32(240);
  return b;
}

// A record whose every field differs from what any file below holds.
CaptureInfo Marked() {
  CaptureInfo info;
  info.version = -1;
  info.secondName = "old second";
  info.captureName = "old name";
  info.imageCount = -5;
  info.timestamp = -123.5;
  info.hasImages = true;
  info.fps = 99.0f;
  info.frameCount = -6;
  info.kind = 77;
  return info;
}

class CaptureInfoTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(host::FileService::LiveFiles(), 0);
    InProcessHostTest::TearDown();
  }
  bool Read(CaptureInfo& info, const std::string& bytes) {
    return ReadCaptureInfo(info, temp_.Write("capture.info", bytes).string());
  }
};

TEST_F(CaptureInfoTest, EveryVersionReadsItsFieldsAndDefaultsTheRest) {
  struct Case {
    const char* what;
    std::string bytes;
    std::int32_t version;
    double timestamp;
    bool hasImages;
    float fps;
    std::int32_t frameCount;
    std::int32_t kind;
  };
  const Case cases[] = {
      {"version 0: fps 30, no flag, frame count = image count, timestamp and kind untouched", Head(0).str(),
       0, -123.5, false, 30.0f, 240, 77},
      {"version 1 adds the timestamp", Head(1).Float64(1.7e9).str(), 1, 1.7e9, false, 30.0f, 240, 77},
      {"version 2 adds flag, fps and frame count; kind is face",
       Head(2).Float64(2.5).Byte(1).Float32(60.0f).Int32(300).str(), 2, 2.5, true, 60.0f, 300, 1},
      {"version 3 stores the kind", Head(3).Float64(3.5).Byte(0).Float32(24.0f).Int32(12).Int32(2).str(), 3,
       3.5, false, 24.0f, 12, 2},
      {"any non-zero flag byte is set", Head(3).Float64(0).Byte(7).Float32(30.0f).Int32(1).Int32(1).str(), 3,
       0, true, 30.0f, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CaptureInfo info = Marked();
    ASSERT_TRUE(Read(info, c.bytes));
    EXPECT_EQ(info.version, c.version);
    EXPECT_EQ(info.captureName, "Take 1");
    EXPECT_EQ(info.secondName, "Display");
    EXPECT_EQ(info.imageCount, 240);
    EXPECT_EQ(info.timestamp, c.timestamp);
    EXPECT_EQ(info.hasImages, c.hasImages);
    EXPECT_EQ(info.fps, c.fps);
    EXPECT_EQ(info.frameCount, c.frameCount);
    EXPECT_EQ(info.kind, c.kind);
  }
}

TEST_F(CaptureInfoTest, ShortOrGarbledFilesFailAndLeaveTheRecord) {
  const std::string whole = Head(3).Float64(3.5).Byte(1).Float32(24.0f).Int32(12).Int32(2).str();
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    CaptureInfo info = Marked();
    EXPECT_FALSE(Read(info, whole.substr(0, cut))) << "cut at " << cut;
    EXPECT_EQ(info.captureName, "old name") << "cut at " << cut;
    EXPECT_EQ(info.kind, 77);
  }
  InfoBytes absurd;
  absurd.Int32(3).Int32(0x7FFFFFF0).String("x");
  CaptureInfo info = Marked();
  EXPECT_FALSE(Read(info, absurd.str())) << "a name longer than the file";
  InfoBytes negative;
  negative.Int32(3).Int32(-2);
  EXPECT_FALSE(Read(info, negative.str()));
  EXPECT_FALSE(ReadCaptureInfo(info, (temp_ / "missing.info").string()));
  EXPECT_FALSE(ReadCaptureInfo(info, temp_.path().string())) << "a folder";
  EXPECT_EQ(info.captureName, "old name");
}

TEST_F(CaptureInfoTest, ANameThatIsNoSingleFolderIsRefusedAndLeavesTheRecord) {
  const std::string tail = InfoBytes().Float64(3.5).Byte(1).Float32(24.0f).Int32(12).Int32(1).str();
  for (const std::string name : {"../../evil", "", "..", "a/b", "C:x", "Take\n1"}) {
    CaptureInfo info = Marked();
    EXPECT_FALSE(Read(info, InfoBytes().Int32(3).String(name).String("Display").Int32(1).str() + tail))
        << name;
    EXPECT_EQ(info.captureName, "old name");
  }
  EXPECT_TRUE(host_->diagnostics().Contains("names the capture \"../../evil\""));
  EXPECT_TRUE(host_->diagnostics().Contains("names the capture \"Take\\x0A1\""));
}

// Points the preferences' data folder at the test's folder; false while the preferences are not there.
bool UseDataFolder(const std::filesystem::path& folder) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs) return false;
  prefs->SetFilename(PrefDataFolder, scn::Filename(folder.string()));
  return !GetCapturesFolder().IsEmpty();
}

TEST_F(CaptureInfoTest, WriteCaptureInfoWritesVersion3IntoTheCapturesFolder) {
  if (!UseDataFolder(temp_.path())) GTEST_SKIP() << "the preferences' data folder is not there yet";
  const std::filesystem::path folder = GetCapturesFolder().GetString();
  std::filesystem::create_directories(folder / "Take 1");
  CaptureInfo info;
  info.version = 0;  // always written as 3
  info.captureName = "Take 1";
  info.secondName = "Display";
  info.imageCount = 240;
  info.timestamp = 3.5;
  info.hasImages = true;
  info.fps = 24.0f;
  info.frameCount = 12;
  info.kind = 2;
  ASSERT_TRUE(WriteCaptureInfo(info));
  const auto path = folder / "Take 1" / "capture.info";
  EXPECT_EQ(ReadFileBytes(path), Head(3).Float64(3.5).Byte(1).Float32(24.0f).Int32(12).Int32(2).str());

  // The missing folder: nothing is written, nothing created.
  info.captureName = "Not there";
  EXPECT_FALSE(WriteCaptureInfo(info));
  EXPECT_FALSE(std::filesystem::exists(folder / "Not there"));
  info.captureName = "..";
  EXPECT_FALSE(WriteCaptureInfo(info));
  EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "capture.info"));
}

TEST_F(CaptureInfoTest, WriteCaptureInfoFailsWithoutACapturesFolder) {
  CaptureInfo info;
  info.captureName = "Take 1";
  if (GetPreferencesContainer()) GetPreferencesContainer()->SetFilename(PrefDataFolder, scn::Filename());
  EXPECT_FALSE(WriteCaptureInfo(info));
  EXPECT_FALSE(std::filesystem::exists("Take 1/capture.info")) << "never relative to the working folder";
}

}  // namespace
