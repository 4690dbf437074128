// Window geometry: rectangles of a capture-manager-shaped window worked out by hand, hidden items, tabs,
// scroll groups, the grid's sharing and alignment rules, and windows too small for their layout.
#include "ui/layoutpass.h"

#include <gtest/gtest.h>

#include "capturelayout.h"
#include "printers.h"

namespace {

using host::Layout;
using host::LayoutPass;
using host::Rect;
using host::Size;
using host::WindowGeometry;

class CaptureWindowTest : public ::testing::Test {
 protected:
  WindowGeometry Run(Size window = {960, 540}) { return LayoutPass(&metrics_).Run(layout_, window); }
  Rect RectOf(const WindowGeometry& g, scn::Int32 id) {
    const host::ItemGeometry* item = g.Find(id);
    EXPECT_NE(item, nullptr) << id;
    return item ? item->rect : Rect{};
  }

  capturelayout::FixedMetrics metrics_;
  Layout layout_;
};

TEST_F(CaptureWindowTest, EveryItemHasItsPlace) {
  capturelayout::Build(layout_, 30);
  const WindowGeometry g = Run();
  EXPECT_EQ(g.titleBar, (Rect{0, 0, 960, 22}));
  EXPECT_EQ(g.menuBar, (Rect{0, 22, 960, 20}));
  EXPECT_EQ(g.menuTitles, (std::vector<Rect>{{4, 22, 40, 20}, {44, 22, 40, 20}}));
  EXPECT_EQ(g.content, (Rect{4, 46, 952, 490}));

  struct Row {
    scn::Int32 id;
    Rect rect;
    const char* why;
  };
  const Row rows[] = {
      {1027, {4, 46, 952, 490}, "the whole content"},
      {1014, {4, 46, 518, 30}, "button row at its minimum, top left"},
      {1018, {9, 51, 170, 20}, "inside the row's border; text height wins over the given 10"},
      {1017, {183, 51, 150, 20}, "4 px after the first button"},
      {1026, {337, 51, 180, 20}, "bottom-aligned in a row of its own height"},
      {0, {4, 80, 952, 456}, "below the button row, taking the spare height"},
      {1001, {4, 80, 662, 456}, "its column takes all spare width"},
      {1002, {5, 101, 660, 434}, "the active tab fills the framed page below the headers"},
      {1005, {5, 101, 660, 434}, "the scroll group fills its tab"},
      {1004, {10, 106, 640, 1101}, "content: the viewport's width, the grid's height for 5 columns"},
      {1025, {670, 80, 286, 456}, "pairing group: its minimum width, stretched in height"},
      {1000, {675, 85, 276, 376}, "the QR area's own minimum, top left inside the border"},
  };
  for (const Row& row : rows) EXPECT_EQ(RectOf(g, row.id), row.rect) << row.id << ": " << row.why;

  const host::ItemGeometry& scroll = *g.Find(1005);
  EXPECT_EQ(scroll.viewport, (Rect{10, 106, 640, 424}));
  EXPECT_EQ(scroll.scrollBar, (Rect{650, 106, 10, 424}));
  EXPECT_EQ(scroll.content, (Size{640, 1101}));
  EXPECT_EQ(g.Find(1004)->clip, scroll.viewport) << "the content is seen only through the viewport";
  EXPECT_EQ(g.Find(1004)->VisibleInItem(), (Rect{0, 0, 640, 424}));

  const host::ItemGeometry& tabs = *g.Find(1001);
  ASSERT_EQ(tabs.tabs.size(), 2u);
  EXPECT_EQ(tabs.tabs[0].rect, (Rect{4, 80, 44, 20}));
  EXPECT_TRUE(tabs.tabs[0].active);
  EXPECT_EQ(tabs.tabs[1].rect, (Rect{48, 80, 44, 20}));
  EXPECT_FALSE(tabs.tabs[1].active);
  for (scn::Int32 id : {1003, 1007, 1006}) EXPECT_FALSE(g.Find(id)->visible) << id << " is on the other tab";
}

TEST_F(CaptureWindowTest, AHiddenPairingGroupTakesNoRoom) {
  capturelayout::Build(layout_, 30);
  ASSERT_TRUE(layout_.SetHidden(1025, true));
  const WindowGeometry g = Run();
  EXPECT_EQ(RectOf(g, 1001), (Rect{4, 80, 952, 456})) << "the tab group takes the whole width";
  EXPECT_FALSE(g.Find(1025)->visible);
  EXPECT_FALSE(g.Find(1000)->visible) << "what the hidden group holds is hidden with it";
  EXPECT_EQ(g.Find(1000)->rect, Rect{});
  EXPECT_EQ(g.Find(1005)->viewport.width, 952 - 2 - 10 - 10) << "page frame, border, scroll bar";
}

TEST_F(CaptureWindowTest, TheActiveTabIsLaidOutAndTheOtherIsNot) {
  capturelayout::Build(layout_, 30);
  ASSERT_TRUE(layout_.SetActiveTab(1001, 1003));
  const WindowGeometry g = Run();
  EXPECT_FALSE(g.Find(1002)->visible);
  EXPECT_FALSE(g.Find(1004)->visible);
  EXPECT_TRUE(g.Find(1006)->visible);
  EXPECT_EQ(RectOf(g, 1007), (Rect{5, 101, 660, 434})) << "the same page as the first tab";
  EXPECT_EQ(RectOf(g, 1006), (Rect{5, 101, 650, 434})) << "no query: the content is the viewport";
  EXPECT_TRUE(g.Find(1001)->tabs[1].active);
}

TEST_F(CaptureWindowTest, TheScrollOffsetStaysWithinTheContent) {
  capturelayout::Build(layout_, 30);
  struct Case {
    int asked;
    int kept;
  };
  for (const Case c : {Case{0, 0}, Case{200, 200}, Case{677, 677}, Case{5000, 677}, Case{-30, 0}}) {
    ASSERT_TRUE(layout_.SetScrollOffset(1005, {0, c.asked}));
    const WindowGeometry g = Run();
    EXPECT_EQ(g.Find(1005)->scroll.y, c.kept) << c.asked;
    EXPECT_EQ(g.Find(1005)->scroll.x, 0) << "no horizontal scrolling";
    EXPECT_EQ(RectOf(g, 1004).y, 106 - c.kept) << c.asked;
    EXPECT_EQ(g.Find(1004)->VisibleInItem(), (Rect{0, c.kept, 640, 424})) << c.asked;
    EXPECT_EQ(g.Find(1005)->VisibleContent(), (Rect{0, c.kept, 640, 424})) << c.asked;
  }
}

TEST_F(CaptureWindowTest, ContentShorterThanTheViewportCannotScroll) {
  capturelayout::Build(layout_, 3);
  layout_.SetScrollOffset(1005, {0, 100});
  const WindowGeometry g = Run();
  EXPECT_EQ(g.Find(1005)->content.height, 424) << "one row of cells (236) is less than the viewport";
  EXPECT_EQ(g.Find(1005)->scroll.y, 0);
}

TEST_F(CaptureWindowTest, TheSmallestWindowHoldsEverythingAndASmallerOneClips) {
  capturelayout::Build(layout_, 30);
  const Size smallest = LayoutPass(&metrics_).MinimumWindowSize(layout_);
  // Button row 518 wide; rows 30 + 4 + 386 (the QR group), below title and menu bars and margins.
  EXPECT_EQ(smallest, (Size{526, 22 + 20 + 420 + 8}));

  // The tab group's column takes the 56 px the button row leaves over.
  const WindowGeometry fits = Run(smallest);
  EXPECT_EQ(RectOf(fits, 1000), (Rect{4 + 228 + 4 + 5, 85, 276, 376}));
  EXPECT_EQ(fits.Find(1000)->clip, RectOf(fits, 1000));

  const WindowGeometry tight = Run({300, 200});
  EXPECT_EQ(RectOf(tight, 1000), (Rect{241, 85, 276, 376})) << "nothing shrinks below its minimum";
  EXPECT_EQ(tight.Find(1000)->clip, (Rect{241, 85, 59, 115})) << "but only the window is seen";
}

// A row of three buttons 20 x 20 in a group of 3 columns, 200 x 100 room.
class GridTest : public ::testing::Test {
 protected:
  WindowGeometry Run() { return LayoutPass(&metrics_).Run(layout_, {208, 22 + 108}); }

  capturelayout::FixedMetrics metrics_;
  Layout layout_;
};

TEST_F(GridTest, FlagsPlaceAnItemInItsCell) {
  struct Case {
    scn::Int32 flags;
    Rect rect;
  };
  // One item, 20 x 20, alone in a group whose 200 x 100 cell it scales to.
  const Case cases[] = {
      {0, {4 + 90, 26 + 40, 20, 20}},  // centred both ways
      {1, {4, 66, 20, 20}},            // left
      {2, {4 + 180, 66, 20, 20}},      // right
      {3, {4, 66, 200, 20}},           // fit horizontally
      {8, {94, 26, 20, 20}},           // top
      {16, {94, 26 + 80, 20, 20}},     // bottom
      {24, {94, 26, 20, 100}},         // fit vertically
      {9 | 16, {4, 26, 20, 100}},      // left, fit vertically (top and bottom)
      {63, {4, 26, 200, 100}},         // fit and scale both ways
  };
  for (const Case& c : cases) {
    Layout layout;
    layout.BeginGroup({1, 63, 1, 0, "", 0});
    layout.AddUserArea({10, c.flags | 4 | 32, 20, 20});
    layout.EndGroup();
    const WindowGeometry g = LayoutPass(&metrics_).Run(layout, {208, 22 + 108});
    EXPECT_EQ(g.Find(10)->rect, c.rect) << "flags " << c.flags;
  }
}

TEST_F(GridTest, SpareWidthGoesToScalingColumnsOddPixelsFirst) {
  layout_.BeginGroup({1, 63, 3, 0, "", 0});
  layout_.AddUserArea({10, 3 | 4, 20, 20});  // scales
  layout_.AddUserArea({11, 3, 21, 20});      // keeps its width
  layout_.AddUserArea({12, 3 | 4, 20, 20});  // scales
  layout_.EndGroup();
  const WindowGeometry g = Run();
  // 200 - (20 + 21 + 20 + 8 gaps) = 131 spare: 66 and 65.
  EXPECT_EQ(g.Find(10)->rect, (Rect{4, 26, 86, 20}));
  EXPECT_EQ(g.Find(11)->rect, (Rect{94, 26, 21, 20}));
  EXPECT_EQ(g.Find(12)->rect, (Rect{119, 26, 85, 20}));
}

TEST_F(GridTest, ChildrenWrapIntoRowsAndHiddenOnesLeaveNoGap) {
  layout_.BeginGroup({1, 9, 2, 0, "", 0});
  layout_.AddPushButton({10, 9, "", 20, 20});
  layout_.AddPushButton({11, 9, "", 30, 20});
  layout_.AddPushButton({12, 9, "", 20, 40});
  layout_.EndGroup();
  WindowGeometry g = Run();
  EXPECT_EQ(g.Find(12)->rect, (Rect{4, 26 + 20 + 4, 20, 40})) << "second row";
  EXPECT_EQ(g.Find(1)->rect, (Rect{4, 26, 20 + 4 + 30, 20 + 4 + 40}));

  layout_.SetHidden(11, true);
  g = Run();
  EXPECT_EQ(g.Find(12)->rect, (Rect{4 + 20 + 4, 26, 20, 40})) << "moves up into the hidden one's cell";
  EXPECT_EQ(g.Find(1)->rect.height, 40);
}

TEST_F(GridTest, ATitledGroupHasAFrameAndATitleStrip) {
  layout_.BeginGroup({1, 9, 1, 0, "Options", 0});
  layout_.SetGroupBorder({2, 3, 4, 5});
  layout_.AddPushButton({10, 9, "", 20, 20});
  layout_.EndGroup();
  const WindowGeometry g = Run();
  const host::ItemGeometry& group = *g.Find(1);
  EXPECT_TRUE(group.framed);
  EXPECT_EQ(group.header, (Rect{5, 27, 50, 18})) << "inside the frame, as wide as the title needs";
  EXPECT_EQ(group.rect, (Rect{4, 26, 52, 1 + 18 + 3 + 20 + 5 + 1}));
  EXPECT_EQ(g.Find(10)->rect, (Rect{4 + 1 + 2, 26 + 1 + 18 + 3, 20, 20}));
}

TEST_F(GridTest, DisabledGroupsDisableWhatTheyHold) {
  layout_.BeginGroup({1, 9, 1, 0, "", 0});
  layout_.AddPushButton({10, 9, "", 20, 20});
  layout_.EndGroup();
  layout_.AddPushButton({11, 9, "", 20, 20});
  layout_.SetEnabled(1, false);
  const WindowGeometry g = Run();
  EXPECT_FALSE(g.Find(10)->enabled);
  EXPECT_TRUE(g.Find(11)->enabled);
}

TEST(LayoutPassTest, WithoutMetricsTextsTakeNoRoom) {
  Layout layout;
  layout.AddPushButton({10, 9, "Download", 0, 0});
  const WindowGeometry g = LayoutPass(nullptr).Run(layout, {100, 100});
  EXPECT_EQ(g.titleBar.height, 8);
  EXPECT_EQ(g.Find(10)->rect, (Rect{4, 12, 20, 6})) << "only the padding";
}

TEST(LayoutPassTest, AbsurdMinimumsDoNotOverflow) {
  Layout layout;
  layout.BeginGroup({1, 9, 2, 0, "", 0});
  for (int i = 0; i < 4; ++i)
    layout.AddUserArea({10 + i, 9, 0, 0})->minSizeQuery = [](int) {
      return host::Size{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    };
  layout.EndGroup();
  capturelayout::FixedMetrics metrics;
  const WindowGeometry g = LayoutPass(&metrics).Run(layout, {100, 100});
  EXPECT_EQ(g.Find(13)->rect.width, 100000) << "taken as the largest minimum";
  EXPECT_GT(g.Find(13)->rect.x, 100000);
  EXPECT_EQ(g.Find(13)->clip.width, 0);
}

}  // namespace
