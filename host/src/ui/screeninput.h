// Turns SDL's events for one window into the host's input events, in canvas pixels.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "ui/inputevents.h"
#include "ui/rect.h"

namespace host {

// The canvas is stretched over the whole window, so a window scaled by the window manager (or one whose
// drawable differs from its size in points) still maps every point onto the canvas.
Point ToCanvas(Point windowPoint, Size window, Size canvas);

// The window an event belongs to; 0 for events of no window (and keys while no window has the keyboard).
std::uint32_t WindowIdOf(const SDL_Event& event);

class ScreenInputTranslator {
 public:
  // Where the pointer is, in window points: SDL's drop events carry no position.
  using PointerQuery = std::function<Point()>;

  explicit ScreenInputTranslator(PointerQuery pointer) : pointer_(std::move(pointer)) {}

  // window: the window's size in points; canvas: the size of what it shows. Nothing for events the host
  // does not act on. Dropped files are gathered until SDL says the drop is complete. The event's strings
  // stay the caller's.
  std::optional<InputEvent> Translate(const SDL_Event& event, Size window, Size canvas);

 private:
  std::optional<InputEvent> TranslateWindowEvent(const SDL_WindowEvent& event);
  std::optional<InputEvent> CompleteDrop(Size window, Size canvas);

  PointerQuery pointer_;
  std::vector<std::filesystem::path> dropped_;
};

}  // namespace host
