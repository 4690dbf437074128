// The string table's text format, and the table the plug-in ships.
#include "resources/stringtable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

using host::ParseStringTable;
using host::StringTable;

TEST(StringTable, ReadsNumbersTextsCommentsAndEscapes) {
  const std::string text =
      "\xEF\xBB\xBF# a comment\n"
      "10001 Face Capture\r\n"
      "\n"
      "   \t\n"
      "  10002\tMotion  Capture  \n"
      "  # indented comment\n"
      "10003\n"
      "10004 two\\nlines\\tand a tab, a \\\\ and C:\\data\\x\n"
      "-5 negative\n"
      "+7 plus";
  StringTable table;
  std::string error;
  ASSERT_TRUE(ParseStringTable(text, &table, &error)) << error;
  const StringTable expected = {
      {10001, "Face Capture"},
      {10002, "Motion  Capture  "},  // blanks inside and at the end belong to the text
      {10003, ""},
      {10004, "two\nlines\tand a tab, a \\ and C:\\data\\x"},
      {-5, "negative"},
      {7, "plus"},
  };
  EXPECT_EQ(table, expected);
}

TEST(StringTable, AnEmptyFileIsAnEmptyTable) {
  StringTable table = {{1, "old"}};
  std::string error;
  ASSERT_TRUE(ParseStringTable("", &table, &error));
  EXPECT_TRUE(table.empty());
}

struct Malformed {
  const char* why;
  const char* text;
  const char* errorPart;
};

class StringTableMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(StringTableMalformed, IsRefusedWithTheLineAndLeavesTheTable) {
  StringTable table = {{1, "kept"}};
  std::string error;
  EXPECT_FALSE(ParseStringTable(GetParam().text, &table, &error));
  EXPECT_NE(error.find(GetParam().errorPart), std::string::npos) << error;
  EXPECT_EQ(table, (StringTable{{1, "kept"}}));
}

INSTANTIATE_TEST_SUITE_P(Rows, StringTableMalformed,
                         ::testing::Values(Malformed{"text without number", "10001 ok\nhello world\n",
                                                     "line 2: no string number"},
                                           Malformed{"number twice", "10001 a\n10002 b\n10001 c\n",
                                                     "line 3: string 10001 given twice"},
                                           Malformed{"number glued to text", "10001abc\n", "line 1"},
                                           Malformed{"number out of range", "99999999999 big\n", "line 1"},
                                           Malformed{"not a decimal", "0x10 hex\n", "line 1"},
                                           Malformed{"sign alone", "- dash\n", "line 1"}),
                         [](const auto& info) {
                           std::string name = info.param.why;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// Every number the plug-in shows has a text, and the file-name texts are the file names.
TEST(ShippedStringTable, HoldsEveryNumberThePluginUses) {
  std::ifstream in(std::string(KINETRA_RESOURCE_DIR) + "/strings/strings.txt", std::ios::binary);
  ASSERT_TRUE(in);
  std::ostringstream s;
  s << in.rdbuf();
  StringTable table;
  std::string error;
  ASSERT_TRUE(ParseStringTable(s.str(), &table, &error)) << error;
  auto expectRange = [&](int first, int last) {
    for (int id = first; id <= last; ++id) {
      auto it = table.find(id);
      EXPECT_TRUE(it != table.end() && !it->second.empty()) << "string " << id << " missing";
    }
  };
  expectRange(10001, 10016);
  expectRange(11000, 11041);
  expectRange(20000, 20051);
  EXPECT_EQ(table[11003], "faceData.txt");
  EXPECT_EQ(table[11004], "faceGeo.txt");
  EXPECT_EQ(table[11040], "motionData.bin");
  EXPECT_EQ(table[11041], "skeleton.bin");
  EXPECT_EQ(table[20000], "Eye Blink Left");
  EXPECT_EQ(table[20051], "Tongue Out");
}

}  // namespace
