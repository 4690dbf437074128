// The layout recorder on its own: group nesting, emptying and rebuilding groups.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include "ui/dialogwindow.h"
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

TEST(LayoutTest, TabGroupsHoldOnlyTabsAndScrollGroupsOneItem) {
  Layout layout;
  ASSERT_NE(layout.BeginTabGroup({1001, 63, 0}), nullptr);
  EXPECT_EQ(layout.AddPushButton({5, 9, "x", 0, 0}), nullptr) << "a button is no tab";
  EXPECT_EQ(layout.BeginScrollGroup({6, 63, 4}), nullptr);
  ASSERT_NE(layout.BeginGroup({1002, 63, 1, 0, "Face", 0}), nullptr);
  ASSERT_NE(layout.BeginScrollGroup({1005, 63, 516}), nullptr);
  ASSERT_NE(layout.AddUserArea({1004, 27, 128, 128}), nullptr);
  EXPECT_EQ(layout.AddUserArea({1008, 27, 128, 128}), nullptr) << "one item a scroll group";
  EXPECT_EQ(layout.OpenGroups(), 3u) << "refused groups are not opened";
  while (layout.EndGroup()) {
  }
  EXPECT_EQ(layout.FindGroup(1001)->kind, LayoutKind::TabGroup);
  EXPECT_EQ(layout.FindGroup(1005)->scrollFlags, 516);
  EXPECT_EQ(layout.FindItem(1004)->minWidth, 128);
  EXPECT_EQ(layout.FindItem(1008), nullptr);
}

TEST(LayoutTest, MenusTakeEntriesOnlyWhileOneIsBuilt) {
  Layout layout;
  EXPECT_FALSE(layout.AddMenuEntry(1019, "Request lists")) << "no menu yet";
  ASSERT_TRUE(layout.BeginMenu("File"));
  EXPECT_FALSE(layout.BeginMenu("Nested")) << "menus do not nest";
  EXPECT_TRUE(layout.AddMenuEntry(1019, "Request lists"));
  EXPECT_TRUE(layout.AddMenuDivider());
  EXPECT_TRUE(layout.AddMenuEntry(1022, "Preferences"));
  EXPECT_TRUE(layout.EndMenu());
  EXPECT_FALSE(layout.EndMenu());
  EXPECT_FALSE(layout.AddMenuDivider());
  ASSERT_EQ(layout.Menus().size(), 1u);
  const auto& entries = layout.Menus()[0].entries;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_TRUE(entries[1].divider);
  EXPECT_EQ(entries[2].id, 1022);

  EXPECT_TRUE(layout.SetEnabled(1022, false)) << "menu entries too";
  EXPECT_FALSE(entries[2].enabled);
  EXPECT_FALSE(layout.SetOpenMenu(1));
  EXPECT_TRUE(layout.SetOpenMenu(0));
  EXPECT_TRUE(layout.SetOpenMenu(-1));
  EXPECT_EQ(layout.OpenMenu(), -1);
}

TEST(LayoutTest, StateIsKeptWhenAGroupIsRebuilt) {
  Layout layout;
  layout.BeginGroup({1027, 63, 1, 0, "", 0});
  layout.BeginGroup({1025, 25, 1, 0, "", 0});
  layout.EndGroup();
  layout.EndGroup();
  ASSERT_TRUE(layout.SetHidden(1025, true));
  ASSERT_TRUE(layout.SetEnabled(1027, false));
  std::vector<scn::CustomGadget*> removed;
  ASSERT_EQ(layout.Flush(1027, &removed), Layout::FlushResult::Flushed);
  layout.BeginGroup({1027, 63, 1, 0, "", 0});
  layout.BeginGroup({1025, 25, 1, 0, "", 0});
  layout.EndGroup();
  layout.EndGroup();
  EXPECT_FALSE(layout.FindGroup(1027)->enabled) << "reopened in place";
  EXPECT_FALSE(layout.FindGroup(1025)->hidden) << "a group built anew starts shown";
  EXPECT_FALSE(layout.SetHidden(4711, true));
}

TEST(LayoutTest, TheActiveTabFallsBackToTheFirstVisibleOne) {
  Layout layout;
  layout.BeginTabGroup({1001, 63, 0});
  layout.BeginGroup({1002, 63, 1, 0, "Face", 0});
  layout.EndGroup();
  layout.BeginGroup({1003, 63, 1, 0, "Body", 0});
  layout.EndGroup();
  layout.EndGroup();
  const auto& tabs = *layout.FindGroup(1001);
  EXPECT_EQ(host::ActiveTab(tabs)->id, 1002) << "none chosen";
  EXPECT_FALSE(layout.SetActiveTab(1001, 1027)) << "not one of its tabs";
  EXPECT_FALSE(layout.SetActiveTab(1002, 1003)) << "not a tab group";
  ASSERT_TRUE(layout.SetActiveTab(1001, 1003));
  EXPECT_EQ(host::ActiveTab(tabs)->id, 1003);
  layout.SetHidden(1003, true);
  EXPECT_EQ(host::ActiveTab(tabs)->id, 1002) << "a hidden tab is not shown";
  layout.SetHidden(1002, true);
  EXPECT_EQ(host::ActiveTab(tabs), nullptr);
  EXPECT_EQ(host::ActiveTab(*layout.FindGroup(1002)), nullptr);
}

TEST(LayoutTest, TheWindowTextNamesEveryKindOfItem) {
  scn::DialogWindow w;
  w.layout.BeginGroup({1014, 9, 4, 0, "", 0});
  w.layout.AddPushButton({1017, 9, "Download", 150, 10});
  w.layout.EndGroup();
  w.layout.BeginTabGroup({1001, 63, 0});
  w.layout.BeginGroup({1002, 63, 1, 0, "Face", 0});
  w.layout.BeginScrollGroup({1005, 63, 516});
  w.layout.AddUserArea({1004, 27, 128, 128});
  w.layout.SetHidden(1004, true);
  const std::string text = host::RenderWindowText(w);
  EXPECT_NE(text.find("    button 1017 flags 9 \"Download\", min 150 x 10\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  tab group 1001 flags 63, active tab 0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("      scroll group 1005 flags 63, scroll flags 516\n"), std::string::npos) << text;
  EXPECT_NE(text.find("        user area 1004 flags 27, hidden, min 128 x 128\n"), std::string::npos) << text;
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
