// What lies under a point of the capture-manager-shaped window, and where input events go.
#include "ui/hittest.h"

#include <gtest/gtest.h>

#include "capturelayout.h"
#include "printers.h"
#include "ui/inputrouter.h"
#include "ui/layoutpass.h"

namespace {

using host::Hit;
using host::HitKind;
using host::Point;

class HitTestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    capturelayout::Build(layout_, 30);
    layout_.SetScrollOffset(1005, {0, 200});
  }
  host::WindowGeometry Geometry() { return host::LayoutPass(&metrics_).Run(layout_, {960, 540}); }

  capturelayout::FixedMetrics metrics_;
  host::Layout layout_;
};

TEST_F(HitTestTest, EachPlaceOfTheWindow) {
  struct Case {
    Point p;
    Hit hit;
    const char* what;
  };
  const Case cases[] = {
      {{5, 5}, {}, "title bar"},
      {{10, 30}, {HitKind::MenuTitle, 0, 0, 0, true, {6, 8}}, "first menu title"},
      {{50, 30}, {HitKind::MenuTitle, 0, 0, 1, true, {6, 8}}, "second menu title"},
      {{200, 30}, {}, "empty menu bar"},
      {{20, 60}, {HitKind::Button, 1018, 0, -1, true, {11, 9}}, "import button"},
      {{181, 60}, {}, "gap between buttons"},
      {{190, 60}, {HitKind::Button, 1017, 0, -1, true, {7, 9}}, "download button"},
      {{20, 90}, {HitKind::TabHeader, 1002, 1001, -1, true, {16, 10}}, "face tab header"},
      {{60, 90}, {HitKind::TabHeader, 1003, 1001, -1, true, {12, 10}}, "body tab header"},
      {{300, 90}, {}, "header row right of the tabs"},
      {{100, 200}, {HitKind::UserArea, 1004, 0, -1, true, {90, 294}}, "face area, scrolled by 200"},
      {{100, 106}, {HitKind::UserArea, 1004, 0, -1, true, {90, 200}}, "first visible row"},
      {{100, 104}, {}, "above the viewport the area's content is not seen"},
      {{655, 200}, {}, "scroll bar"},
      {{700, 200}, {HitKind::UserArea, 1000, 0, -1, true, {25, 115}}, "pairing view"},
      {{700, 500}, {}, "pairing group below its view"},
  };
  const host::WindowGeometry g = Geometry();
  for (const Case& c : cases) {
    const Hit hit = host::HitTest(g, c.p);
    EXPECT_EQ(hit.kind, c.hit.kind) << c.what;
    EXPECT_EQ(hit, c.hit) << c.what << ": id " << hit.id << " local " << hit.local;
  }
}

TEST_F(HitTestTest, DisabledAndHiddenItems) {
  layout_.SetEnabled(1017, false);
  layout_.SetHidden(1025, true);
  const host::WindowGeometry g = Geometry();
  const Hit button = host::HitTest(g, {190, 60});
  EXPECT_EQ(button.kind, HitKind::Button);
  EXPECT_FALSE(button.enabled) << "reported, so that the press can be ignored";
  const Hit area = host::HitTest(g, {930, 200});
  EXPECT_EQ(area.kind, HitKind::UserArea) << "the face area took the room";
  EXPECT_EQ(area.id, 1004);
}

TEST_F(HitTestTest, AnOpenMenuLiesAboveTheWindow) {
  ASSERT_TRUE(layout_.SetOpenMenu(0));
  const host::WindowGeometry g = Geometry();
  struct Case {
    Point p;
    HitKind kind;
    scn::Int32 id;
  };
  const Case cases[] = {
      {{20, 50}, HitKind::MenuEntry, 1019}, {{20, 60}, HitKind::MenuEntry, 1019},  // over the import button
      {{20, 70}, HitKind::MenuEntry, 1015}, {{20, 85}, HitKind::None, 0},          // divider
      {{20, 95}, HitKind::MenuEntry, 1022}, {{130, 60}, HitKind::Button, 1018},    // beside the menu
  };
  for (const Case& c : cases) {
    const Hit hit = host::HitTest(g, c.p);
    EXPECT_EQ(hit.kind, c.kind) << c.p;
    EXPECT_EQ(hit.id, c.id) << c.p;
    if (c.kind == HitKind::MenuEntry) {
      EXPECT_EQ(hit.menu, 0) << c.p;
    }
  }
  layout_.SetEnabled(1015, false);
  EXPECT_FALSE(host::HitTest(Geometry(), {20, 70}).enabled);
}

TEST_F(HitTestTest, KeysGoToTheAreaPressedLast) {
  host::InputRouter router;
  const host::WindowGeometry g = Geometry();
  EXPECT_EQ(router.Route(g, host::KeyEvent{host::Key::Delete}).kind, HitKind::None) << "nothing pressed yet";

  const Hit press = router.Route(g, host::MouseEvent{{100, 200}, host::MouseButton::Right, true});
  EXPECT_EQ(press.id, 1004);
  EXPECT_EQ(router.FocusedArea(), 1004);
  const Hit key = router.Route(g, host::InputEvent{host::KeyEvent{host::Key::Backspace}});
  EXPECT_EQ(key.kind, HitKind::UserArea);
  EXPECT_EQ(key.id, 1004);

  layout_.SetActiveTab(1001, 1003);
  EXPECT_EQ(router.Route(Geometry(), host::KeyEvent{}).kind, HitKind::None) << "its tab is no longer shown";

  router.Route(g, host::MouseEvent{{20, 60}});
  EXPECT_FALSE(router.FocusedArea().has_value()) << "a button press takes the keys away";
}

TEST_F(HitTestTest, DropsGoWhereTheyLand) {
  host::InputRouter router;
  const Hit drop =
      router.Route(Geometry(), host::InputEvent{host::DropEvent{{100, 200}, {"/tmp/Capture.zip"}}});
  EXPECT_EQ(drop.kind, HitKind::UserArea);
  EXPECT_EQ(drop.id, 1004);
  EXPECT_EQ(drop.local, (Point{90, 294}));
  EXPECT_FALSE(router.FocusedArea().has_value()) << "a drop is no press";
}

TEST_F(HitTestTest, HoverFollowsThePointerAndLeavesTheKeysAlone) {
  host::InputRouter router;
  const host::WindowGeometry g = Geometry();
  router.Route(g, host::MouseEvent{{100, 200}});
  ASSERT_EQ(router.FocusedArea(), 1004);

  const Hit hover = router.Route(g, host::InputEvent{host::PointerEvent{Point{20, 60}}});
  EXPECT_EQ(hover.kind, HitKind::Button);
  EXPECT_EQ(hover.id, 1018);
  EXPECT_EQ(router.Route(g, host::PointerEvent{}).kind, HitKind::None) << "the pointer left the window";
  EXPECT_EQ(router.Route(g, host::InputEvent{host::CloseEvent{}}).kind, HitKind::None);
  EXPECT_EQ(router.FocusedArea(), 1004) << "neither hover nor a close request is a press";
}

}  // namespace
