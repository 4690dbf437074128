// The layout recorder on its own: group nesting, emptying and rebuilding groups.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include "ui/htmlviewer.h"

namespace {

using host::GroupSpec;
using host::Layout;
using host::LayoutKind;

scn::CustomGadget MakeGadget(scn::Int32 id) {
  scn::CustomGadget g;
  g.libraryId = scn::kLibHtmlViewer;
  g.id = id;
  return g;
}

TEST(LayoutTest, GroupsNestAndGadgetsGoIntoTheInnermostOpenGroup) {
  Layout layout;
  scn::CustomGadget a = MakeGadget(10), b = MakeGadget(11);
  layout.BeginGroup({1, 63, 2, 0, "outer", 0});
  layout.BeginGroup({2, 9, 1, 0, "", 0});
  layout.AddGadget(&a);
  EXPECT_EQ(layout.OpenGroups(), 2u);
  ASSERT_TRUE(layout.EndGroup());
  layout.AddGadget(&b);
  ASSERT_TRUE(layout.EndGroup());
  EXPECT_EQ(layout.OpenGroups(), 0u);

  const auto* outer = layout.FindGroup(1);
  ASSERT_NE(outer, nullptr);
  EXPECT_EQ(outer->parent, &layout.Root());
  EXPECT_EQ(outer->title, "outer");
  EXPECT_EQ(outer->columns, 2);
  ASSERT_EQ(outer->children.size(), 2u);
  EXPECT_EQ(outer->children[0]->id, 2);
  EXPECT_EQ(outer->children[1]->gadget, &b);
  EXPECT_EQ(layout.FindGadget(10)->parent, layout.FindGroup(2));
  EXPECT_EQ(layout.Gadgets(), (std::vector<scn::CustomGadget*>{&a, &b})) << "layout order";
}

TEST(LayoutTest, EndGroupWithoutAnOpenGroupIsRefused) {
  Layout layout;
  EXPECT_FALSE(layout.EndGroup());
  layout.BeginGroup({1, 0, 1, 0, "", 0});
  EXPECT_TRUE(layout.EndGroup());
  EXPECT_FALSE(layout.EndGroup());
}

TEST(LayoutTest, TheRootIsNoGroupOfIdZeroAndGroupsOfIdZeroAreNeverMerged) {
  Layout layout;
  EXPECT_EQ(layout.FindGroup(0), nullptr);
  EXPECT_EQ(layout.FindGroup(-1), nullptr) << "the root's own id is not found";
  layout.BeginGroup({0, 0, 1, 0, "", 0});
  layout.EndGroup();
  layout.BeginGroup({0, 0, 2, 0, "", 0});
  layout.EndGroup();
  EXPECT_EQ(layout.Root().children.size(), 2u);
}

TEST(LayoutTest, FlushEmptiesAGroupAndHandsBackItsGadgets) {
  Layout layout;
  scn::CustomGadget a = MakeGadget(10), b = MakeGadget(11);
  layout.BeginGroup({1, 0, 1, 0, "", 0});
  layout.BeginGroup({2, 0, 1, 0, "", 0});
  layout.AddGadget(&a);
  layout.EndGroup();
  layout.AddGadget(&b);
  layout.EndGroup();

  std::vector<scn::CustomGadget*> removed;
  EXPECT_EQ(layout.Flush(1, &removed), Layout::FlushResult::Flushed);
  EXPECT_EQ(removed, (std::vector<scn::CustomGadget*>{&a, &b})) << "nested gadgets too";
  ASSERT_NE(layout.FindGroup(1), nullptr) << "the group itself stays";
  EXPECT_TRUE(layout.FindGroup(1)->children.empty());
  EXPECT_EQ(layout.FindGroup(2), nullptr);
  EXPECT_EQ(layout.Flush(99, &removed), Layout::FlushResult::UnknownGroup);
}

TEST(LayoutTest, AFlushedGroupIsRebuiltInPlace) {
  Layout layout;
  scn::CustomGadget a = MakeGadget(10), b = MakeGadget(11);
  layout.BeginGroup({5, 0, 1, 0, "", 0});
  layout.BeginGroup({1000, 63, 2, 0, "", 0});
  layout.AddGadget(&a);
  layout.EndGroup();
  layout.EndGroup();

  std::vector<scn::CustomGadget*> removed;
  ASSERT_EQ(layout.Flush(1000, &removed), Layout::FlushResult::Flushed);
  layout.BeginGroup({1000, 63, 3, 0, "", 0});
  layout.AddGadget(&b);
  layout.EndGroup();

  EXPECT_EQ(layout.Root().children.size(), 1u) << "no second group 1000 at the top";
  const auto* group = layout.FindGroup(1000);
  EXPECT_EQ(group->parent, layout.FindGroup(5));
  EXPECT_EQ(group->columns, 3);
  ASSERT_EQ(group->children.size(), 1u);
  EXPECT_EQ(group->children[0]->gadget, &b);
}

TEST(LayoutTest, AGroupHoldingAnOpenGroupCannotBeFlushed) {
  Layout layout;
  scn::CustomGadget a = MakeGadget(10);
  layout.BeginGroup({1, 0, 1, 0, "", 0});
  layout.BeginGroup({2, 0, 1, 0, "", 0});
  std::vector<scn::CustomGadget*> removed;
  EXPECT_EQ(layout.Flush(1, &removed), Layout::FlushResult::GroupOpenInside);
  // The open group is still usable.
  layout.AddGadget(&a);
  EXPECT_EQ(layout.FindGadget(10)->parent, layout.FindGroup(2));
  // Emptying the innermost open group itself is fine.
  EXPECT_EQ(layout.Flush(2, &removed), Layout::FlushResult::Flushed);
  EXPECT_EQ(removed, (std::vector<scn::CustomGadget*>{&a}));
}

TEST(HtmlViewerPageTest, TheFilePartOfAnAddress) {
  struct Case {
    std::string url;
    std::string path;
  };
  const Case cases[] = {
      {"/res/help/index.html", "/res/help/index.html"},
      {"/res/help/index.html?id=1001", "/res/help/index.html"},
      {"file:///res/help/index.html?id=1001", "/res/help/index.html"},
      {"/res/help/index.html?", "/res/help/index.html"},
      {"?id=1", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(host::HtmlPagePath(c.url).string(), c.path) << c.url;
}

}  // namespace
