// SDL's events of one window made into the host's input events, built in memory without a display.
#include "ui/screeninput.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "inputeventprinters.h"
#include "printers.h"

namespace {

using host::CloseEvent;
using host::DropEvent;
using host::InputEvent;
using host::Key;
using host::KeyEvent;
using host::MouseButton;
using host::MouseEvent;
using host::Point;
using host::PointerEvent;
using host::Size;

constexpr Size kCanvas{320, 240};
constexpr std::uint32_t kWindowId = 7;

SDL_Event Press(int x, int y, std::uint8_t button, std::uint8_t clicks) {
  SDL_Event e{};
  e.button = {SDL_MOUSEBUTTONDOWN, 0, kWindowId, 0, button, SDL_PRESSED, clicks, 0, x, y};
  return e;
}

SDL_Event Motion(int x, int y) {
  SDL_Event e{};
  e.motion.type = SDL_MOUSEMOTION;
  e.motion.windowID = kWindowId;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}

SDL_Event KeyDown(SDL_Keycode sym, bool repeat = false, std::uint32_t type = SDL_KEYDOWN) {
  SDL_Event e{};
  e.key.type = type;
  e.key.windowID = kWindowId;
  e.key.repeat = repeat;
  e.key.keysym.sym = sym;
  return e;
}

SDL_Event WindowEvent(std::uint8_t what) {
  SDL_Event e{};
  e.window.type = SDL_WINDOWEVENT;
  e.window.windowID = kWindowId;
  e.window.event = what;
  return e;
}

// The file stays the caller's, as with SDL's own events until Screen::Pump frees them.
SDL_Event Drop(std::uint32_t type, char* file = nullptr) {
  SDL_Event e{};
  e.drop.type = type;
  e.drop.windowID = kWindowId;
  e.drop.file = file;
  return e;
}

TEST(ToCanvasTest, WindowPointsLandOnCanvasPixels) {
  struct Case {
    Point p;
    Size window;
    Point expected;
    const char* what;
  };
  const Case cases[] = {
      {{0, 0}, kCanvas, {0, 0}, "top left"},
      {{319, 239}, kCanvas, {319, 239}, "bottom right at the canvas's size"},
      {{100, 60}, {640, 480}, {50, 30}, "window scaled up twice"},
      {{639, 479}, {640, 480}, {319, 239}, "last point of a doubled window"},
      {{101, 61}, {640, 480}, {50, 30}, "odd points round down"},
      {{100, 100}, {160, 120}, {200, 200}, "window scaled down"},
      {{-1, -3}, {640, 480}, {-1, -2}, "left of and above the window, as while a button is held"},
      {{50, 40}, {0, 0}, {50, 40}, "no size known yet"},
  };
  for (const Case& c : cases) EXPECT_EQ(host::ToCanvas(c.p, c.window, kCanvas), c.expected) << c.what;
}

TEST(ScreenInputTranslatorTest, EachEventTheHostActsOn) {
  struct Case {
    SDL_Event event;
    Size window;
    std::optional<InputEvent> expected;
    const char* what;
  };
  const Case cases[] = {
      {Press(10, 20, SDL_BUTTON_LEFT, 1), kCanvas, MouseEvent{{10, 20}, MouseButton::Left, false}, "left"},
      {Press(10, 20, SDL_BUTTON_RIGHT, 1), kCanvas, MouseEvent{{10, 20}, MouseButton::Right, false}, "right"},
      {Press(10, 20, SDL_BUTTON_MIDDLE, 1), kCanvas, MouseEvent{{10, 20}, MouseButton::Other, false},
       "middle"},
      {Press(10, 20, SDL_BUTTON_X1, 1), kCanvas, MouseEvent{{10, 20}, MouseButton::Other, false},
       "side button"},
      {Press(10, 20, SDL_BUTTON_LEFT, 2), kCanvas, MouseEvent{{10, 20}, MouseButton::Left, true}, "double"},
      {Press(10, 20, SDL_BUTTON_RIGHT, 2), kCanvas, MouseEvent{{10, 20}, MouseButton::Right, true},
       "right double"},
      {Press(10, 20, SDL_BUTTON_LEFT, 3), kCanvas, MouseEvent{{10, 20}, MouseButton::Left, false},
       "a third quick click starts over"},
      {Press(10, 20, SDL_BUTTON_LEFT, 4), kCanvas, MouseEvent{{10, 20}, MouseButton::Left, true},
       "the fourth is a double again"},
      {Press(200, 100, SDL_BUTTON_LEFT, 1),
       {640, 480},
       MouseEvent{{100, 50}, MouseButton::Left, false},
       "press in a scaled window"},
      {Motion(30, 40), kCanvas, PointerEvent{Point{30, 40}}, "pointer"},
      {Motion(30, 40), {640, 480}, PointerEvent{Point{15, 20}}, "pointer in a scaled window"},
      {WindowEvent(SDL_WINDOWEVENT_LEAVE), kCanvas, PointerEvent{}, "pointer left"},
      {WindowEvent(SDL_WINDOWEVENT_CLOSE), kCanvas, CloseEvent{}, "close button"},
      {WindowEvent(SDL_WINDOWEVENT_EXPOSED), kCanvas, std::nullopt, "uncovered"},
      {WindowEvent(SDL_WINDOWEVENT_ENTER), kCanvas, std::nullopt, "pointer came in: motion follows"},
      {KeyDown(SDLK_DELETE), kCanvas, KeyEvent{Key::Delete}, "delete"},
      {KeyDown(SDLK_BACKSPACE), kCanvas, KeyEvent{Key::Backspace}, "backspace"},
      {KeyDown(SDLK_DELETE, true), kCanvas, std::nullopt, "a held delete key acts once"},
      {KeyDown(SDLK_a), kCanvas, std::nullopt, "other keys"},
      {KeyDown(SDLK_DELETE, false, SDL_KEYUP), kCanvas, std::nullopt, "key going up"},
  };
  for (const Case& c : cases) {
    host::ScreenInputTranslator translator([] { return Point{}; });
    EXPECT_EQ(translator.Translate(c.event, c.window, kCanvas), c.expected) << c.what;
  }
  SDL_Event release = Press(10, 20, SDL_BUTTON_LEFT, 1);
  release.type = SDL_MOUSEBUTTONUP;
  host::ScreenInputTranslator translator([] { return Point{}; });
  EXPECT_EQ(translator.Translate(release, kCanvas, kCanvas), std::nullopt) << "a button going up";
}

TEST(ScreenInputTranslatorTest, DroppedFilesArriveTogetherWhereThePointerIs) {
  Point pointer{200, 100};
  host::ScreenInputTranslator translator([&] { return pointer; });
  std::string first = "/tmp/Face Capture.zip", second = "/tmp/Body";
  const Size doubled{640, 480};

  EXPECT_EQ(translator.Translate(Drop(SDL_DROPBEGIN), doubled, kCanvas), std::nullopt);
  EXPECT_EQ(translator.Translate(Drop(SDL_DROPFILE, first.data()), doubled, kCanvas), std::nullopt);
  EXPECT_EQ(translator.Translate(Drop(SDL_DROPFILE, second.data()), doubled, kCanvas), std::nullopt);
  pointer = {220, 120};
  EXPECT_EQ(translator.Translate(Drop(SDL_DROPCOMPLETE), doubled, kCanvas),
            (InputEvent{DropEvent{{110, 60}, {first, second}}}))
      << "where the pointer is when the drop completes, in canvas pixels";

  std::string text = "some words";
  translator.Translate(Drop(SDL_DROPBEGIN), kCanvas, kCanvas);
  translator.Translate(Drop(SDL_DROPTEXT, text.data()), kCanvas, kCanvas);
  EXPECT_EQ(translator.Translate(Drop(SDL_DROPCOMPLETE), kCanvas, kCanvas), std::nullopt)
      << "text is no file, and the last drop's files are not sent again";

  translator.Translate(Drop(SDL_DROPFILE, second.data()), kCanvas, kCanvas);
  EXPECT_EQ(translator.Translate(Drop(SDL_DROPCOMPLETE), kCanvas, kCanvas),
            (InputEvent{DropEvent{{220, 120}, {second}}}))
      << "a drop that SDL did not announce with a begin";
}

TEST(WindowIdOfTest, EventsOfAWindowAndOthers) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_Event focusless = KeyDown(SDLK_DELETE);
  focusless.key.windowID = 0;
  struct Case {
    SDL_Event event;
    std::uint32_t expected;
    const char* what;
  };
  const Case cases[] = {
      {Press(1, 1, SDL_BUTTON_LEFT, 1), kWindowId, "press"},
      {Motion(1, 1), kWindowId, "motion"},
      {KeyDown(SDLK_DELETE), kWindowId, "key"},
      {WindowEvent(SDL_WINDOWEVENT_CLOSE), kWindowId, "window event"},
      {Drop(SDL_DROPCOMPLETE), kWindowId, "drop"},
      {focusless, 0, "key while no window has the keyboard"},
      {quit, 0, "the application's quit"},
  };
  for (const Case& c : cases) EXPECT_EQ(host::WindowIdOf(c.event), c.expected) << c.what;
}

}  // namespace
