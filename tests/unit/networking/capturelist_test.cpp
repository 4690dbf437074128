// Capture list answers: each capture new to this computer gets its folder and "capture.info" and is kept
// in the message; known captures, short lists and names that cannot be folders are left out.
#include <gtest/gtest.h>

#include "basecapture.h"
#include "bodybytes.h"
#include "networking/capturelistmessages.h"

namespace {

// One list entry as the phone sends it.
Bytes Entry(const std::string& display, const std::string& name, std::uint32_t images = 240,
            double sortKey = 1.5e9, std::uint32_t frames = 250, float fps = 60.0f, std::uint32_t flag = 1) {
  return Join({Text(display), Text(name), U32(images), F64(sortKey), U32(frames), F32(fps), U32(flag)});
}

class CaptureListTest : public CaptureFolderTest {
 protected:
  template <typename T>
  bool Read(T& message, const Bytes& body) {
    BitStream stream = StreamOf(body);
    return message.Serialize(false, stream);
  }
  CaptureInfo Stored(const std::string& name) {
    CaptureInfo info;
    EXPECT_TRUE(ReadCaptureInfo(info, scn::Filename((Folder(name) / "capture.info").string()))) << name;
    return info;
  }
};

TEST_F(CaptureListTest, AnEntryOnTheWire) {
  const Bytes entry = {
      0x00, 0x03, 'M',  'y',  ' ',                     // display name "My "
      0x00, 0x04, 'T',  'a',  'k',  'e',               // capture name "Take"
      0xF0, 0x00, 0x00, 0x00,                          // image count 240, little-endian
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F,  // sort key 1.5, Float64 little-endian
      0xFA, 0x00, 0x00, 0x00,                          // frame count 250
      0x00, 0x00, 0x70, 0x42,                          // 60.0 frames per second, Float32 little-endian
      0x01, 0x00, 0x00, 0x00,                          // the flag stored in "capture.info"
  };
  EXPECT_EQ(Hex(entry), Hex(Entry("My ", "Take", 240, 1.5, 250, 60.0f, 1)));
  GetPerformances list;
  ASSERT_TRUE(Read(list, Join({U16(1), entry})));
  ASSERT_EQ(list.captures.size(), 1u);
  const CaptureInfo& got = list.captures[0];
  EXPECT_EQ(got.secondName, "My ");
  EXPECT_EQ(got.captureName, "Take");
  EXPECT_EQ(got.imageCount, 240);
  EXPECT_EQ(got.timestamp, 1.5);
  EXPECT_EQ(got.frameCount, 250);
  EXPECT_EQ(got.fps, 60.0f);
  EXPECT_TRUE(got.hasImages);
  EXPECT_EQ(got.kind, CaptureInfo::kCaptureKindFace);
  EXPECT_EQ(got.folder.GetString(), Folder("Take").string());
}

TEST_F(CaptureListTest, NewCapturesGetAFolderAndCaptureInfoOfTheirKind) {
  GetPerformances faces;
  ASSERT_TRUE(
      Read(faces, Join({U16(2), Entry("Smile!", "Smile", 10, 2.0, 11, 30.0f, 0), Entry("Frown", "Frown")})));
  GetMotionCaptures bodies;
  ASSERT_TRUE(Read(bodies, Join({U16(1), Entry("Walk", "Walk", 0, 3.0, 90, 24.0f, 0)})));
  ASSERT_EQ(faces.captures.size(), 2u);
  ASSERT_EQ(bodies.captures.size(), 1u);
  EXPECT_EQ(bodies.captures[0].kind, CaptureInfo::kCaptureKindBody);

  const CaptureInfo smile = Stored("Smile");
  EXPECT_EQ(smile.version, 3);
  EXPECT_EQ(smile.secondName, "Smile!");
  EXPECT_EQ(smile.imageCount, 10);
  EXPECT_EQ(smile.timestamp, 2.0);
  EXPECT_FALSE(smile.hasImages);
  EXPECT_EQ(smile.frameCount, 11);
  EXPECT_EQ(smile.kind, CaptureInfo::kCaptureKindFace);
  EXPECT_TRUE(Stored("Frown").hasImages);
  const CaptureInfo walk = Stored("Walk");
  EXPECT_EQ(walk.kind, CaptureInfo::kCaptureKindBody);
  EXPECT_EQ(walk.fps, 24.0f);
  EXPECT_EQ(walk.frameCount, 90);
  EXPECT_EQ(host_->status().Progress(), -1) << "cleared at the end";
}

TEST_F(CaptureListTest, KnownCapturesAreLeftOutAndTheirInfoKept) {
  GetPerformances first;
  ASSERT_TRUE(Read(first, Join({U16(1), Entry("Old", "Smile", 1)})));
  MakeFolder("Empty folder");  // a folder without "capture.info" is still new

  GetPerformances again;
  ASSERT_TRUE(
      Read(again, Join({U16(3), Entry("New", "Smile", 2), Entry("F", "Empty folder"), Entry("N", "Next")})));
  ASSERT_EQ(again.captures.size(), 2u);
  EXPECT_EQ(again.captures[0].captureName, "Empty folder");
  EXPECT_EQ(again.captures[1].captureName, "Next");
  EXPECT_EQ(Stored("Smile").secondName, "Old");
  EXPECT_EQ(Stored("Smile").imageCount, 1);
}

TEST_F(CaptureListTest, AShortListKeepsTheEntriesBeforeTheCut) {
  const Bytes whole = Join({U16(2), Entry("A", "A"), Entry("B", "B")});
  const std::size_t firstEnd = 2 + Entry("A", "A").size();
  for (std::size_t cut = 2; cut < whole.size(); ++cut) {
    SCOPED_TRACE(cut);
    std::filesystem::remove_all(captures_);
    std::filesystem::create_directories(captures_);
    GetMotionCaptures list;
    EXPECT_TRUE(Read(list, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))));
    EXPECT_EQ(list.captures.size(), cut < firstEnd ? 0u : 1u);
    EXPECT_EQ(std::filesystem::exists(Folder("B")), false) << "a cut entry makes no folder";
  }
  GetMotionCaptures noCount;
  EXPECT_FALSE(Read(noCount, {0x00})) << "without its count the list fails";
  GetMotionCaptures empty;
  EXPECT_TRUE(Read(empty, {0x00, 0x00}));
  EXPECT_TRUE(empty.captures.empty());
}

TEST_F(CaptureListTest, ACountOfManyWithFewEntriesReadsOnlyThose) {
  GetPerformances list;
  ASSERT_TRUE(Read(list, Join({U16(0xFFFF), Entry("A", "A")})));
  EXPECT_EQ(list.captures.size(), 1u);
}

TEST_F(CaptureListTest, HostileNamesAreLeftOutAndTheRestKept) {
  std::filesystem::create_directories(temp_ / "data" / "outside");
  const std::string hostile[] = {"",    "..",   ".",   "../outside",          "/tmp/x",
                                 "a/b", "a\\b", "C:x", std::string("A\0B", 3)};
  Bytes body = U16(static_cast<std::uint16_t>(std::size(hostile) + 1));
  for (const std::string& name : hostile) body = Join({body, Entry("evil", name)});
  body = Join({body, Entry("Good", "Good")});
  GetPerformances list;
  ASSERT_TRUE(Read(list, body));
  ASSERT_EQ(list.captures.size(), 1u);
  EXPECT_EQ(list.captures[0].captureName, "Good");
  EXPECT_FALSE(std::filesystem::exists(temp_ / "data" / "outside" / "capture.info"));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "data" / "capture.info"));
  EXPECT_FALSE(std::filesystem::exists(captures_ / "capture.info"));
  EXPECT_TRUE(host_->diagnostics().Contains("refusing capture name \"A\\x00B\""));
  std::size_t folders = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(captures_)) ++folders;
  EXPECT_EQ(folders, 1u) << "only the good capture's folder";
}

}  // namespace
