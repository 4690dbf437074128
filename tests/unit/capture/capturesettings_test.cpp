// "settings.txt" of versions 0, 1 and 2, and broken ones.
#include "capturesettings.h"

#include <gtest/gtest.h>

#include <sstream>

#include "capturefile.h"
#include "files/fileservice.h"

namespace {

class CaptureSettingsTest : public CaptureFileTest {};

// Settings that differ from the defaults in every field. Texts are assigned as std::string: assigning
// the literals trips a false -Wrestrict of GCC 12 here.
CaptureSettings Marked() {
  CaptureSettings s;
  s.fps = 12.0;
  s.hasImages = false;
  s.frameCount = 77;
  s.text = std::string("old");
  s.value = 5;
  return s;
}

void ExpectEqual(const CaptureSettings& a, const CaptureSettings& b) {
  EXPECT_EQ(a.fps, b.fps);
  EXPECT_EQ(a.hasImages, b.hasImages);
  EXPECT_EQ(a.frameCount, b.frameCount);
  EXPECT_EQ(a.text, b.text);
  EXPECT_EQ(a.value, b.value);
}

TEST_F(CaptureSettingsTest, ConstructionAndResetGiveTheDefaults) {
  CaptureSettings fresh;
  EXPECT_EQ(fresh.fps, 30.0);
  EXPECT_TRUE(fresh.hasImages);
  EXPECT_EQ(fresh.frameCount, 0);
  EXPECT_EQ(fresh.text, "");
  EXPECT_EQ(fresh.value, 1);
  CaptureSettings s = Marked();
  s.Reset();
  ExpectEqual(s, fresh);
}

TEST_F(CaptureSettingsTest, EachVersionReadsItsFieldsAndLeavesTheRest) {
  struct Case {
    const char* what;
    std::string text;
    CaptureSettings expected;
  };
  auto with = [](auto change) {
    CaptureSettings s = Marked();
    change(s);
    return s;
  };
  const Case cases[] = {
      {"version 0 reads nothing more", "0\n60.0\nfalse\n9\n", Marked()},
      {"version 1", "1\n60.0\ntrue\n120\nSome text\n", with([](CaptureSettings& s) {
         s.fps = 60.0;
         s.hasImages = true;
         s.frameCount = 120;
         s.text = std::string("Some text");
       })},
      {"version 1 with a numeric flag", "1\n24\n0\n3\n\n", with([](CaptureSettings& s) {
         s.fps = 24.0;
         s.hasImages = false;
         s.frameCount = 3;
         s.text = std::string("");
       })},
      {"version 2", "2\n30.0\ntrue\n120\nt\n4\n", with([](CaptureSettings& s) {
         s.fps = 30.0;
         s.hasImages = true;
         s.frameCount = 120;
         s.text = std::string("t");
         s.value = 4;
       })},
      {"version 2 stored 0 reads as 1", "2\n30.0\nfalse\n1\nt\n0\n", with([](CaptureSettings& s) {
         s.fps = 30.0;
         s.hasImages = false;
         s.frameCount = 1;
         s.text = std::string("t");
         s.value = 1;
       })},
      {"later versions read what version 2 has", "3\n25\n1\n2\nx\n7\nmore\n", with([](CaptureSettings& s) {
         s.fps = 25.0;
         s.hasImages = true;
         s.frameCount = 2;
         s.text = std::string("x");
         s.value = 7;
       })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto path = temp_.Write("settings.txt", c.text);
    CaptureSettings s = Marked();
    EXPECT_TRUE(s.Read(path.string()));
    ExpectEqual(s, c.expected);
  }
  EXPECT_EQ(host::FileService::LiveFiles(), 0);
}

TEST_F(CaptureSettingsTest, BrokenFilesFailAndKeepWhatWasRead) {
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"empty", ""},
      {"no version", "two\n30\n"},
      {"bad fps", "1\nfast\ntrue\n1\nt\n"},
      {"bad flag", "1\n30\nyes\n1\nt\n"},
      {"cut after the flag", "1\n30\ntrue"},
      {"version 2 without its value", "2\n30\ntrue\n1\nt\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto path = temp_.Write("settings.txt", c.text);
    CaptureSettings s = Marked();
    EXPECT_FALSE(s.Read(path.string()));
  }
  CaptureSettings s = Marked();
  EXPECT_FALSE(s.Read((temp_ / "missing.txt").string()));
  ExpectEqual(s, Marked());

  const auto path = temp_.Write("settings.txt", "1\n45\nyes\n");
  EXPECT_FALSE(s.Read(path.string()));
  EXPECT_EQ(s.fps, 45.0) << "read before the failure";
  EXPECT_FALSE(s.hasImages) << "unchanged";
  EXPECT_EQ(host::FileService::LiveFiles(), 0) << "every failure frees its file";
}

TEST_F(CaptureSettingsTest, ARateThatIsNoPositiveNumberOrANegativeCountReadsAsTheDefault) {
  struct Case {
    std::string fps, frameCount;
    double expectedFps;
    int expectedCount;
  };
  const Case cases[] = {
      {"nan", "10", 30.0, 10}, {"inf", "10", 30.0, 10},   {"-inf", "10", 30.0, 10}, {"-30", "10", 30.0, 10},
      {"0", "10", 30.0, 10},   {"59.94", "-5", 59.94, 0}, {"0.5", "0", 0.5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fps + ", " + c.frameCount);
    host_->diagnostics().Clear();
    std::ostringstream text;
    text << "1\n" << c.fps << "\ntrue\n" << c.frameCount << "\nt\n";
    const auto path = temp_.Write("settings.txt", text.str());
    CaptureSettings s = Marked();
    EXPECT_TRUE(s.Read(path.string()));
    EXPECT_EQ(s.fps, c.expectedFps);
    EXPECT_EQ(s.frameCount, c.expectedCount);
    EXPECT_EQ(s.text, "t") << "the rest is read as usual";
    const bool senseless = c.expectedFps != std::stod(c.fps) || c.expectedCount != std::stoi(c.frameCount);
    EXPECT_EQ(host_->diagnostics().Contains(path.string()), senseless);
  }
}

}  // namespace
