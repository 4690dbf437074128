#include "ui/screenwindow.h"

#include "core/diagnostics.h"
#include "ui/canvas.h"

namespace host {

namespace {

// Where an SDL window keeps its ScreenWindow.
constexpr const char* kWindowDataKey = "host.ScreenWindow";

}  // namespace

ScreenWindow::ScreenWindow(Diagnostics& diagnostics)
    : diagnostics_(diagnostics), translator_([this] { return PointerInWindow(); }) {}

ScreenWindow::~ScreenWindow() = default;

std::unique_ptr<ScreenWindow> ScreenWindow::Open(const std::string& title, Size canvas,
                                                 Diagnostics& diagnostics) {
  if (canvas.width <= 0 || canvas.height <= 0) {
    diagnostics.Output("screen: no window \"" + title + "\" for an empty canvas of " +
                       std::to_string(canvas.width) + " x " + std::to_string(canvas.height));
    return nullptr;
  }
  std::unique_ptr<ScreenWindow> w(new ScreenWindow(diagnostics));
  w->window_.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                    canvas.width, canvas.height, SDL_WINDOW_HIDDEN));
  if (!w->window_) {
    diagnostics.Output("screen: SDL_CreateWindow failed for window \"" + title + "\": " + SDL_GetError());
    return nullptr;
  }
  // The host draws the canvas itself; the window only copies it, which needs no GL driver (remote X,
  // virtual displays) and keeps every pixel as drawn.
  w->renderer_.reset(SDL_CreateRenderer(w->window_.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!w->renderer_) {
    w->Failed("SDL_CreateRenderer");
    return nullptr;
  }
  if (!w->Resize(canvas)) return nullptr;
  SDL_SetWindowData(w->window_.get(), kWindowDataKey, w.get());
  return w;
}

ScreenWindow* ScreenWindow::FromId(std::uint32_t id) {
  SDL_Window* window = id ? SDL_GetWindowFromID(id) : nullptr;
  if (!window) return nullptr;
  return static_cast<ScreenWindow*>(SDL_GetWindowData(window, kWindowDataKey));
}

void ScreenWindow::SetTitle(const std::string& title) {
  SDL_SetWindowTitle(window_.get(), title.c_str());
}

bool ScreenWindow::Present(const Canvas& canvas) {
  const Size size{canvas.Width(), canvas.Height()};
  if (size.width <= 0 || size.height <= 0) {
    diagnostics_.Output("screen: cannot show an empty canvas of " + std::to_string(size.width) + " x " +
                        std::to_string(size.height));
    return false;
  }
  if (size != canvasSize_ && !Resize(size)) return false;
  const scn::Bitmap& pixels = canvas.Pixels();
  if (SDL_UpdateTexture(texture_.get(), nullptr, pixels.pixels.data(), static_cast<int>(pixels.Stride())) !=
      0)
    return Failed("SDL_UpdateTexture");
  // Shown with its first picture rather than blank.
  if (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_HIDDEN) SDL_ShowWindow(window_.get());
  return Redraw();
}

std::uint32_t ScreenWindow::Id() const {
  return SDL_GetWindowID(window_.get());
}

Size ScreenWindow::WindowSize() const {
  Size size;
  SDL_GetWindowSize(window_.get(), &size.width, &size.height);
  return size;
}

std::optional<InputEvent> ScreenWindow::Take(const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT &&
      (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
    Redraw();
  return translator_.Translate(event, WindowSize(), canvasSize_);
}

bool ScreenWindow::Resize(Size canvas) {
  if (canvasSize_ != Size{}) SDL_SetWindowSize(window_.get(), canvas.width, canvas.height);
  texture_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB24, SDL_TEXTUREACCESS_STREAMING,
                                   canvas.width, canvas.height));
  if (!texture_) return Failed("SDL_CreateTexture");
  // Nearest pixel: exact at the canvas's size, crisp when the window is scaled.
  SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeNearest);
  canvasSize_ = canvas;
  return true;
}

bool ScreenWindow::Redraw() {
  if (SDL_RenderClear(renderer_.get()) != 0) return Failed("SDL_RenderClear");
  if (SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr) != 0) return Failed("SDL_RenderCopy");
  SDL_RenderPresent(renderer_.get());
  return true;
}

Point ScreenWindow::PointerInWindow() const {
  // Asked of the display itself: while files are dragged in, the window sees no pointer motion.
  Point global, origin;
  SDL_GetGlobalMouseState(&global.x, &global.y);
  SDL_GetWindowPosition(window_.get(), &origin.x, &origin.y);
  return {global.x - origin.x, global.y - origin.y};
}

bool ScreenWindow::Failed(const char* call) const {
  diagnostics_.Output(std::string("screen: ") + call + " failed for window \"" +
                      SDL_GetWindowTitle(window_.get()) + "\": " + SDL_GetError());
  return false;
}

}  // namespace host
