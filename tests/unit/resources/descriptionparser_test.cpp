// The description resources' text format.
#include "resources/descriptionparser.h"

#include <gtest/gtest.h>

namespace {

using host::DescType;
using host::ParseDescription;

std::string NameOf(scn::Int32 id) {
  return "name" + std::to_string(id);
}

scn::Int32 TypeCode(DescType t) {
  return static_cast<scn::Int32>(t);
}

TEST(DescriptionParser, EveryTypeWithItsKeys) {
  const std::string text =
      "# comment\n"
      "1000 LONG 10017 min=1 max=65535 step=1 default=60001\n"
      "1001 BOOL 10018 default=1\r\n"
      "1002 REAL 10019 default=-0.5 min=-1 max=1e3\n"
      "1003 VECTOR 10020 default=1,2.5,-3\n"
      "1004 MATRIX 10021 default=1,2,3,4,5,6,7,8,9,10,11,12\n"
      "1005 STRING 10022 \"default=two words\"\n"
      "1006 FILENAME 10023 default=\"/tmp/a \\\"q\\\" b\"\n"
      "1007 LINK 10024 accept=1040464\n"
      "1008 BUTTON 10025\n"
      "1009 STRING 10026 default=\n";
  scn::Description desc;
  std::string error;
  ASSERT_TRUE(ParseDescription(text, NameOf, &desc, &error)) << error;
  EXPECT_EQ(desc.order,
            (std::vector<scn::Int32>{1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009}));

  const scn::Container& port = desc.entries.at(1000);
  EXPECT_EQ(port.GetInt32(scn::kDescType), TypeCode(DescType::Long));
  EXPECT_EQ(port.GetInt32(scn::kDescNameId), 10017);
  EXPECT_EQ(port.GetString(scn::kDescName), "name10017");
  EXPECT_EQ(*port.Find(scn::kDescDefault), scn::Value(scn::Int32(60001)));
  EXPECT_EQ(*port.Find(host::kDescMin), scn::Value(scn::Int32(1)));
  EXPECT_EQ(*port.Find(host::kDescMax), scn::Value(scn::Int32(65535)));
  EXPECT_EQ(*port.Find(host::kDescStep), scn::Value(scn::Int32(1)));
  EXPECT_FALSE(port.Has(host::kDescParent));

  EXPECT_EQ(*desc.entries.at(1001).Find(scn::kDescDefault), scn::Value(scn::Bool(true)));
  EXPECT_EQ(*desc.entries.at(1002).Find(scn::kDescDefault), scn::Value(-0.5));
  EXPECT_EQ(*desc.entries.at(1002).Find(host::kDescMax), scn::Value(1000.0));
  EXPECT_EQ(*desc.entries.at(1003).Find(scn::kDescDefault), scn::Value(scn::Vector{1, 2.5, -3}));
  const scn::Matrix m{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  EXPECT_EQ(*desc.entries.at(1004).Find(scn::kDescDefault), scn::Value(m));
  EXPECT_EQ(*desc.entries.at(1005).Find(scn::kDescDefault), scn::Value(scn::String("two words")));
  EXPECT_EQ(*desc.entries.at(1006).Find(scn::kDescDefault), scn::Value(scn::Filename("/tmp/a \"q\" b")));
  EXPECT_EQ(desc.entries.at(1006).GetInt32(scn::kDescType), TypeCode(DescType::Filename));
  EXPECT_EQ(*desc.entries.at(1007).Find(host::kDescAccept), scn::Value(scn::Int32(1040464)));
  EXPECT_EQ(desc.entries.at(1008).GetInt32(scn::kDescType), TypeCode(DescType::Button));
  EXPECT_FALSE(desc.entries.at(1008).Has(scn::kDescDefault));
  EXPECT_EQ(*desc.entries.at(1009).Find(scn::kDescDefault), scn::Value(scn::String()));
}

TEST(DescriptionParser, GroupsHoldTheLinesUpToTheirEnd) {
  const std::string text =
      "100 GROUP 1\n"
      "  1000 LONG 2\n"
      "  101 GROUP 3\n"
      "    1001 BOOL 4\n"
      "  END\n"
      "  1002 STRING 5\n"
      "END\n"
      "1003 FILENAME 6\n";
  scn::Description desc;
  std::string error;
  ASSERT_TRUE(ParseDescription(text, NameOf, &desc, &error)) << error;
  EXPECT_EQ(desc.entries.at(100).GetInt32(scn::kDescType), TypeCode(DescType::Group));
  EXPECT_FALSE(desc.entries.at(100).Has(host::kDescParent));
  EXPECT_EQ(desc.entries.at(1000).GetInt32(host::kDescParent), 100);
  EXPECT_EQ(desc.entries.at(101).GetInt32(host::kDescParent), 100);
  EXPECT_EQ(desc.entries.at(1001).GetInt32(host::kDescParent), 101);
  EXPECT_EQ(desc.entries.at(1002).GetInt32(host::kDescParent), 100) << "back in the outer group after END";
  EXPECT_FALSE(desc.entries.at(1003).Has(host::kDescParent));
}

struct Malformed {
  const char* why;
  const char* text;
  const char* errorPart;
};

class DescriptionMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(DescriptionMalformed, IsRefusedWithTheLineAndLeavesTheDescription) {
  scn::Description desc;
  desc.entries[7].SetInt32(1, 7);
  desc.order = {7};
  std::string error;
  EXPECT_FALSE(ParseDescription(GetParam().text, NameOf, &desc, &error));
  EXPECT_NE(error.find(GetParam().errorPart), std::string::npos) << error;
  EXPECT_EQ(desc.order, std::vector<scn::Int32>{7});
  EXPECT_EQ(desc.entries.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DescriptionMalformed,
    ::testing::Values(Malformed{"too few fields", "1000 LONG\n", "line 1: expected"},
                      Malformed{"bad id", "x LONG 1\n", "bad id"},
                      Malformed{"unknown type", "1 LONGG 1\n", "unknown type 'LONGG'"},
                      Malformed{"lower case type", "1 long 1\n", "unknown type"},
                      Malformed{"bad name number", "1 LONG ten\n", "bad name number"},
                      Malformed{"id twice", "1 LONG 1\n2 BOOL 2\n1 REAL 3\n", "line 3: id 1 given twice"},
                      Malformed{"unknown key", "1 LONG 1 maxi=3\n", "unknown key 'maxi'"},
                      Malformed{"key without value sign", "1 LONG 1 default\n", "expected key=value"},
                      Malformed{"empty key", "1 LONG 1 =3\n", "expected key=value"},
                      Malformed{"key twice", "1 LONG 1 min=1 min=2\n", "given twice"},
                      Malformed{"long default not a number", "1 LONG 1 default=abc\n", "bad value"},
                      Malformed{"long default fraction", "1 LONG 1 default=1.5\n", "bad value"},
                      Malformed{"bool default not 0 or 1", "1 BOOL 1 default=2\n", "bad value"},
                      Malformed{"vector with two numbers", "1 VECTOR 1 default=1,2\n", "bad value"},
                      Malformed{"vector with four numbers", "1 VECTOR 1 default=1,2,3,4\n", "bad value"},
                      Malformed{"min on a string", "1 STRING 1 min=1\n", "does not fit"},
                      Malformed{"default on a button", "1 BUTTON 1 default=1\n", "does not fit"},
                      Malformed{"default on a link", "1 LINK 1 default=1\n", "does not fit"},
                      Malformed{"accept on a long", "1 LONG 1 accept=5\n", "does not fit"},
                      Malformed{"unclosed quote", "1 STRING 1 default=\"open\n", "quote"},
                      Malformed{"end without group", "1 LONG 1\nEND\n", "line 2: END without"},
                      Malformed{"end with more", "5 GROUP 1\nEND 5\n", "END takes nothing"},
                      Malformed{"group left open", "5 GROUP 1\n1 LONG 1\n", "group 5 has no END"}),
    [](const auto& info) {
      std::string name = info.param.why;
      for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

}  // namespace
