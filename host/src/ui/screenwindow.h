// One real window showing a canvas: a streaming texture updated from the canvas's pixels on each present,
// stretched over the window. Made by Screen::OpenWindow; closed when destroyed.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/inputevents.h"
#include "ui/rect.h"
#include "ui/screeninput.h"

namespace host {

class Canvas;
class Diagnostics;

class ScreenWindow {
 public:
  ~ScreenWindow();
  ScreenWindow(const ScreenWindow&) = delete;
  ScreenWindow& operator=(const ScreenWindow&) = delete;

  void SetTitle(const std::string& title);
  // Shows the canvas, for the host to call when it changed; the window first takes the canvas's size
  // when that changed. False, with a line in the diagnostics, for an empty canvas or when SDL fails.
  bool Present(const Canvas& canvas);

  // SDL's id of the window, which its events carry.
  std::uint32_t Id() const;
  // The size of the canvas last presented (at first, the one it was opened for).
  Size CanvasSize() const { return canvasSize_; }
  // In points; differs from the canvas's when the window manager scaled the window.
  Size WindowSize() const;

  // Screen::Pump hands each of the window's events here; the window redraws itself when it was uncovered
  // or resized.
  std::optional<InputEvent> Take(const SDL_Event& event);

  // The window of an SDL window id, or null when it is none of ours.
  static ScreenWindow* FromId(std::uint32_t id);

 private:
  friend class Screen;

  struct WindowCloser {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  };
  struct RendererCloser {
    void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  };
  struct TextureCloser {
    void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  };

  static std::unique_ptr<ScreenWindow> Open(const std::string& title, Size canvas, Diagnostics& diagnostics);
  explicit ScreenWindow(Diagnostics& diagnostics);

  bool Resize(Size canvas);
  bool Redraw();
  Point PointerInWindow() const;
  bool Failed(const char* call) const;

  Diagnostics& diagnostics_;
  std::unique_ptr<SDL_Window, WindowCloser> window_;
  std::unique_ptr<SDL_Renderer, RendererCloser> renderer_;
  std::unique_ptr<SDL_Texture, TextureCloser> texture_;
  Size canvasSize_;
  ScreenInputTranslator translator_;
};

}  // namespace host
