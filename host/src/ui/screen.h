// The host's link to a display: opened only where one is there, it makes the real windows and pumps their
// input. Main thread only, like every call on its windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/inputevents.h"
#include "ui/rect.h"

namespace host {

class Diagnostics;
class ScreenWindow;

// One input event of one of the screen's windows.
struct ScreenInput {
  ScreenWindow* window = nullptr;  // the screen's; valid until that window is closed
  InputEvent event;
};

class Screen {
 public:
  // Null, with a "no display: ..." line in the diagnostics, when DISPLAY is not set or SDL cannot open
  // the display; the host then goes on headless.
  static std::unique_ptr<Screen> Open(Diagnostics& diagnostics);
  // Its windows must be closed first.
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // A window of the canvas's size, shown at its first present; null, with a line in the diagnostics,
  // when SDL cannot make one or the size is empty.
  std::unique_ptr<ScreenWindow> OpenWindow(const std::string& title, Size canvas);

  // Every event waiting, without blocking, in the order they came; once per turn of the host's loop.
  // Events of windows already closed, or that the host does not act on, are left out.
  std::vector<ScreenInput> Pump();

 private:
  explicit Screen(Diagnostics& diagnostics) : diagnostics_(diagnostics) {}

  Diagnostics& diagnostics_;
};

}  // namespace host
