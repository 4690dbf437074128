// The one check for names that become a folder or file inside a folder.
#include "capturename.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CaptureNameTest, OnlyNamesOfOneEntryInsideTheFolderPass) {
  struct Case {
    std::string name;
    bool safe;
  };
  const Case cases[] = {
      {"Take 1", true},
      {"a.b", true},
      {"Take_00001.jpg", true},
      {".hidden", true},
      {"caf\xC3\xA9", true},  // UTF-8 stays
      {"", false},
      {".", false},
      {"..", false},
      {"...", false},  // Windows trims trailing dots and blanks: these would name the folder above
      {" ", false},
      {". .", false},
      {"../up", false},
      {"a/b", false},
      {"/abs", false},
      {"a\\b", false},
      {"..\\up", false},
      {"C:", false},
      {"a:stream", false},
      {std::string("a\0b", 3), false},
      {"line\nbreak", false},
      {"tab\t", false},
      {"del\x7F", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsSafeCaptureName(c.name), c.safe) << PrintableName(c.name);
}

TEST(CaptureNameTest, PrintableNamesShowUnprintableBytesAsHex) {
  EXPECT_EQ(PrintableName("Take 1"), "Take 1");
  EXPECT_EQ(PrintableName(std::string("A\0B", 3)), "A\\x00B");
  EXPECT_EQ(PrintableName("\n\x7F\xFF"), "\\x0A\\x7F\\xFF");
}

}  // namespace
