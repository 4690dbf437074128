// The host's real window under Xvfb: what it shows is the canvas, pixel for pixel, and what xdotool does
// in it comes back from the pump as the host's input events in canvas pixels.
#include "ui/screenwindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "childprocess.h"
#include "core/diagnostics.h"
#include "inputeventprinters.h"
#include "tempdir.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/screen.h"
#include "xcloserequest.h"
#include "xwdimage.h"

namespace {

using namespace std::chrono_literals;
using host::Canvas;
using host::InputEvent;
using host::MouseButton;
using host::MouseEvent;
using host::Point;
using host::Rgb;
using host::Size;

constexpr const char* kXvfb = "/usr/bin/Xvfb";
constexpr const char* kXdotool = "/usr/bin/xdotool";
constexpr const char* kXwd = "/usr/bin/xwd";
constexpr const char* kTitle = "Kinetra screen test";
// Every wait is bounded by this; the whole suite takes a few seconds.
constexpr auto kPatience = 5s;

// Runs a tool to its end; its standard output lines, or nothing when it failed.
std::optional<std::vector<std::string>> RunTool(const std::vector<std::string>& argv) {
  ChildProcess tool(argv);
  if (!tool.started() || tool.WaitForExit(kPatience) != 0) return std::nullopt;
  tool.WaitForLines("", SIZE_MAX, kPatience);  // to the end of its output
  return tool.Lines();
}

std::string Text(Rgb c) {
  return "rgb(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

// Puts DISPLAY back as it was before the test.
class DisplayVariable {
 public:
  DisplayVariable() {
    if (const char* d = std::getenv("DISPLAY")) saved_ = d;
  }
  ~DisplayVariable() {
    if (saved_)
      ::setenv("DISPLAY", saved_->c_str(), 1);
    else
      ::unsetenv("DISPLAY");
  }

 private:
  std::optional<std::string> saved_;
};

class ScreenWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* tool : {kXvfb, kXdotool, kXwd})
      if (!std::filesystem::exists(tool))
        GTEST_SKIP() << tool
                     << " is not installed (scripts/setup.sh installs it): the real window is not tested";
    // Xvfb takes the first free display number and writes it to the descriptor given.
    xvfb_ = std::make_unique<ChildProcess>(std::vector<std::string>{kXvfb, "-displayfd", "1", "-screen", "0",
                                                                    "1280x1024x24", "-nolisten", "tcp"});
    ASSERT_TRUE(xvfb_->WaitForLine("", kPatience)) << "Xvfb did not start";
    display_ = ":" + xvfb_->Lines().front();
    ::setenv("DISPLAY", display_.c_str(), 1);
    screen_ = host::Screen::Open(diagnostics_);
    ASSERT_NE(screen_, nullptr) << Diagnostics();
    font_ = host::Font::Open(host::kUiFontFile, host::kUiFontPixelSize, diagnostics_);
    ASSERT_NE(font_, nullptr);
  }

  void TearDown() override {
    window_.reset();
    screen_.reset();
    if (xvfb_) xvfb_->Terminate(kPatience);
  }

  std::string Diagnostics() const {
    std::string all;
    for (const std::string& line : diagnostics_.Lines()) all += line + "\n";
    return all;
  }

  // A background, three rectangles and a text, so that a shift, a swapped channel or a scaled copy
  // shows.
  std::unique_ptr<Canvas> PaintCanvas(Size size) {
    auto c = std::make_unique<Canvas>(size.width, size.height, font_.get());
    c->BeginPass();
    c->SetDrawColor({40, 44, 52});
    c->FillRectangle(0, 0, size.width - 1, size.height - 1);
    c->SetDrawColor({220, 30, 30});
    c->FillRectangle(10, 10, 69, 49);
    c->SetDrawColor({30, 200, 60});
    c->FillRectangle(size.width - 80, 20, size.width - 21, 99);
    c->SetDrawColor({40, 80, 230});
    c->FillRectangle(100, size.height - 60, 179, size.height - 11);
    c->SetTextColors({255, 255, 255}, {40, 44, 52});
    c->PaintText("Capture Manager 0123", 90, 60);
    return c;
  }

  void Open(const Canvas& canvas) {
    window_ = screen_->OpenWindow(kTitle, {canvas.Width(), canvas.Height()});
    ASSERT_NE(window_, nullptr) << Diagnostics();
    ASSERT_TRUE(window_->Present(canvas)) << Diagnostics();
    xid_ = WaitForMappedWindow();
    ASSERT_FALSE(xid_.empty()) << "the window was not shown";
  }

  // The X id of our window once it is mapped, or empty when it was not in time.
  std::string WaitForMappedWindow() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
      screen_->Pump();
      const auto found =
          RunTool({kXdotool, "search", "--onlyvisible", "--name", std::string("^") + kTitle + "$"});
      if (found && !found->empty()) return found->front();
      std::this_thread::sleep_for(20ms);
    }
    return {};
  }

  std::optional<scn::Bitmap> Screenshot() {
    screen_->Pump();
    const auto file = dir_ / "window.xwd";
    if (!RunTool({kXwd, "-silent", "-id", xid_, "-out", file.string()})) return std::nullopt;
    std::string error;
    std::optional<scn::Bitmap> shot = ReadXwd(file, &error);
    EXPECT_TRUE(shot) << error;
    return shot;
  }

  // Screenshots until one shows the canvas at scale (the X server may still be applying a resize).
  // Returns how many pixels of the last one differ, with the first of them described.
  int DifferingPixels(const Canvas& canvas, int scale, std::string* first) {
    const Size expected{canvas.Width() * scale, canvas.Height() * scale};
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    int differing = -1;
    while (differing != 0 && std::chrono::steady_clock::now() < deadline) {
      const std::optional<scn::Bitmap> shot = Screenshot();
      if (!shot) return -1;
      differing = Compare(*shot, canvas, scale, expected, first);
      if (differing != 0) std::this_thread::sleep_for(20ms);
    }
    return differing;
  }

  static int Compare(const scn::Bitmap& shot, const Canvas& canvas, int scale, Size expected,
                     std::string* first) {
    if (shot.width != expected.width || shot.height != expected.height) {
      *first = "the window is " + std::to_string(shot.width) + " x " + std::to_string(shot.height);
      return shot.width * shot.height + 1;
    }
    int differing = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        const std::uint8_t* p = shot.At(x, y);
        const Rgb seen{p[0], p[1], p[2]};
        const Rgb want = canvas.PixelAt(x / scale, y / scale);
        if (seen == want) continue;
        if (differing++ == 0)
          *first = "at (" + std::to_string(x) + ", " + std::to_string(y) + ") " + Text(seen) +
                   " instead of " + Text(want);
      }
    }
    return differing;
  }

  // Pumps until done holds for the events of our window that came, or time ran out.
  std::vector<InputEvent> PumpUntil(const std::function<bool(const std::vector<InputEvent>&)>& done) {
    std::vector<InputEvent> events;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!done(events) && std::chrono::steady_clock::now() < deadline) {
      for (host::ScreenInput& input : screen_->Pump())
        if (input.window == window_.get()) events.push_back(std::move(input.event));
      std::this_thread::sleep_for(5ms);
    }
    return events;
  }
  std::vector<InputEvent> PumpFor(std::size_t count) {
    return PumpUntil([count](const std::vector<InputEvent>& events) { return events.size() >= count; });
  }

  // Presses and keys only: pointer motion comes as it comes.
  std::vector<InputEvent> PumpPressesFor(std::size_t count) {
    std::vector<InputEvent> presses;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (presses.size() < count && std::chrono::steady_clock::now() < deadline)
      for (InputEvent& e : PumpFor(1))
        if (!std::holds_alternative<host::PointerEvent>(e)) presses.push_back(std::move(e));
    return presses;
  }

  // Moves the pointer to a point of our window and waits until the window saw it at that canvas pixel.
  void MovePointer(Point window, Point canvas) {
    ASSERT_TRUE(RunTool(
        {kXdotool, "mousemove", "--window", xid_, std::to_string(window.x), std::to_string(window.y)}));
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline)
      for (const InputEvent& e : PumpFor(1))
        if (e == InputEvent{host::PointerEvent{canvas}}) return;
    FAIL() << "no pointer event at (" << canvas.x << ", " << canvas.y << ")";
  }
  void MovePointer(Point p) { MovePointer(p, p); }

  DisplayVariable displayVariable_;
  host::Diagnostics diagnostics_;
  TempDir dir_;
  std::unique_ptr<ChildProcess> xvfb_;
  std::string display_;
  std::unique_ptr<host::Font> font_;
  std::unique_ptr<host::Screen> screen_;
  std::unique_ptr<host::ScreenWindow> window_;
  std::string xid_;
};

TEST_F(ScreenWindowTest, ShowsTheCanvasPixelForPixelAndFollowsItsSize) {
  const std::unique_ptr<Canvas> canvas = PaintCanvas({320, 240});
  ASSERT_NE(canvas->PixelAt(92, 66), (Rgb{40, 44, 52}))
      << "the text must be painted for the check to mean much";
  ASSERT_NO_FATAL_FAILURE(Open(*canvas));
  std::string first;
  EXPECT_EQ(DifferingPixels(*canvas, 1, &first), 0) << first;

  const std::unique_ptr<Canvas> larger = PaintCanvas({480, 300});
  ASSERT_TRUE(window_->Present(*larger)) << Diagnostics();
  EXPECT_EQ(window_->CanvasSize(), (Size{480, 300}));
  EXPECT_EQ(DifferingPixels(*larger, 1, &first), 0) << first;
  EXPECT_EQ(window_->WindowSize(), (Size{480, 300}));
}

TEST_F(ScreenWindowTest, PressesKeysDropsAndTheCloseRequestArriveInCanvasPixels) {
  ASSERT_NO_FATAL_FAILURE(Open(*PaintCanvas({320, 240})));
  ASSERT_NO_FATAL_FAILURE(MovePointer({50, 60}));

  ASSERT_TRUE(RunTool({kXdotool, "click", "1"}));
  ASSERT_TRUE(RunTool({kXdotool, "click", "3"}));
  ASSERT_TRUE(RunTool({kXdotool, "click", "2"}));
  EXPECT_EQ(PumpPressesFor(3), (std::vector<InputEvent>{MouseEvent{{50, 60}, MouseButton::Left, false},
                                                        MouseEvent{{50, 60}, MouseButton::Right, false},
                                                        MouseEvent{{50, 60}, MouseButton::Other, false}}));

  // Far from the last left click, so the double click is a run of its own.
  ASSERT_NO_FATAL_FAILURE(MovePointer({200, 150}));
  ASSERT_TRUE(RunTool({kXdotool, "click", "--repeat", "2", "--delay", "60", "1"}));
  EXPECT_EQ(PumpPressesFor(2), (std::vector<InputEvent>{MouseEvent{{200, 150}, MouseButton::Left, false},
                                                        MouseEvent{{200, 150}, MouseButton::Left, true}}));

  ASSERT_TRUE(RunTool({kXdotool, "windowfocus", "--sync", xid_}));
  ASSERT_TRUE(RunTool({kXdotool, "key", "Delete", "BackSpace", "a"}));
  EXPECT_EQ(PumpPressesFor(2), (std::vector<InputEvent>{host::KeyEvent{host::Key::Delete},
                                                        host::KeyEvent{host::Key::Backspace}}));

  // xdotool cannot drag files: the drop is SDL's own events, as its X11 backend sends them, through the
  // real pump, which asks the display where the pointer is.
  for (const char* file : {"/tmp/Face Capture.zip", "/tmp/Body"}) {
    SDL_Event drop{};
    drop.drop = {SDL_DROPFILE, 0, SDL_strdup(file), window_->Id()};
    ASSERT_EQ(SDL_PushEvent(&drop), 1) << SDL_GetError();
  }
  SDL_Event complete{};
  complete.drop = {SDL_DROPCOMPLETE, 0, nullptr, window_->Id()};
  ASSERT_EQ(SDL_PushEvent(&complete), 1) << SDL_GetError();
  EXPECT_EQ(PumpPressesFor(1),
            (std::vector<InputEvent>{host::DropEvent{{200, 150}, {"/tmp/Face Capture.zip", "/tmp/Body"}}}));

  ASSERT_TRUE(SendCloseRequest(display_, std::stoul(xid_)));
  EXPECT_EQ(PumpPressesFor(1), (std::vector<InputEvent>{host::CloseEvent{}}));
  EXPECT_EQ(RunTool({kXdotool, "search", "--onlyvisible", "--name", kTitle})
                .value_or(std::vector<std::string>{})
                .size(),
            1u)
      << "the window stays until the host closes it";
  EXPECT_TRUE(diagnostics_.Lines().empty()) << Diagnostics();
}

TEST_F(ScreenWindowTest, AWindowScaledByTheWindowManagerStretchesTheCanvasAndMapsPointsBack) {
  const std::unique_ptr<Canvas> canvas = PaintCanvas({320, 240});
  ASSERT_NO_FATAL_FAILURE(Open(*canvas));
  ASSERT_TRUE(RunTool({kXdotool, "windowsize", "--sync", xid_, "640", "480"}));
  PumpUntil([&](const std::vector<InputEvent>&) { return window_->WindowSize() == Size{640, 480}; });
  ASSERT_EQ(window_->WindowSize(), (Size{640, 480}));
  EXPECT_EQ(window_->CanvasSize(), (Size{320, 240})) << "the host's canvas keeps its size";

  // The host presents nothing more: the window redraws itself at its new size.
  std::string first;
  EXPECT_EQ(DifferingPixels(*canvas, 2, &first), 0) << first;

  ASSERT_NO_FATAL_FAILURE(MovePointer({401, 301}, {200, 150}));
  ASSERT_TRUE(RunTool({kXdotool, "click", "1"}));
  EXPECT_EQ(PumpPressesFor(1), (std::vector<InputEvent>{MouseEvent{{200, 150}, MouseButton::Left, false}}));
}

TEST(ScreenTest, NothingAtTheDisplayLeavesTheHostHeadless) {
  DisplayVariable displayVariable;
  // A display number whose socket does not exist.
  int n = 900;
  while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) ++n;
  ::setenv("DISPLAY", (":" + std::to_string(n)).c_str(), 1);
  host::Diagnostics diagnostics;
  EXPECT_EQ(host::Screen::Open(diagnostics), nullptr);
  ASSERT_EQ(diagnostics.Lines().size(), 1u);
  EXPECT_TRUE(diagnostics.Lines()[0].starts_with("no display: cannot open :" + std::to_string(n)))
      << diagnostics.Lines()[0];
}

}  // namespace
