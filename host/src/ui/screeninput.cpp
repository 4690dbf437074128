#include "ui/screeninput.h"

#include <cmath>
#include <string>

namespace host {

namespace {

int Scale(int v, int windowSide, int canvasSide) {
  if (windowSide <= 0 || windowSide == canvasSide) return v;
  return static_cast<int>(std::floor(double(v) * canvasSide / windowSide));
}

MouseButton ButtonOf(std::uint8_t button) {
  if (button == SDL_BUTTON_LEFT) return MouseButton::Left;
  if (button == SDL_BUTTON_RIGHT) return MouseButton::Right;
  return MouseButton::Other;
}

std::optional<InputEvent> TranslateKey(const SDL_KeyboardEvent& event) {
  // A held delete key acts once: deleting is not something to repeat by accident.
  if (event.repeat) return std::nullopt;
  if (event.keysym.sym == SDLK_BACKSPACE) return KeyEvent{Key::Backspace};
  if (event.keysym.sym == SDLK_DELETE) return KeyEvent{Key::Delete};
  return std::nullopt;
}

}  // namespace

Point ToCanvas(Point windowPoint, Size window, Size canvas) {
  return {Scale(windowPoint.x, window.width, canvas.width),
          Scale(windowPoint.y, window.height, canvas.height)};
}

std::uint32_t WindowIdOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_MOUSEMOTION:
      return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
      return event.drop.windowID;
    default:
      return 0;
  }
}

std::optional<InputEvent> ScreenInputTranslator::Translate(const SDL_Event& event, Size window, Size canvas) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
      // SDL keeps counting a run of quick clicks past two; every second one is a double click, as on
      // desktops that start the count again after a double click.
      return MouseEvent{ToCanvas({event.button.x, event.button.y}, window, canvas),
                        ButtonOf(event.button.button),
                        event.button.clicks >= 2 && event.button.clicks % 2 == 0};
    case SDL_MOUSEMOTION:
      return PointerEvent{ToCanvas({event.motion.x, event.motion.y}, window, canvas)};
    case SDL_KEYDOWN:
      return TranslateKey(event.key);
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(event.window);
    case SDL_DROPBEGIN:
      dropped_.clear();
      return std::nullopt;
    case SDL_DROPFILE:
      if (event.drop.file) dropped_.emplace_back(std::string(event.drop.file));
      return std::nullopt;
    case SDL_DROPCOMPLETE:
      return CompleteDrop(window, canvas);
    default:
      return std::nullopt;
  }
}

std::optional<InputEvent> ScreenInputTranslator::TranslateWindowEvent(const SDL_WindowEvent& event) {
  if (event.event == SDL_WINDOWEVENT_CLOSE) return CloseEvent{};
  if (event.event == SDL_WINDOWEVENT_LEAVE) return PointerEvent{};
  return std::nullopt;
}

std::optional<InputEvent> ScreenInputTranslator::CompleteDrop(Size window, Size canvas) {
  // A drop of text only, or of nothing, is no file drop.
  if (dropped_.empty()) return std::nullopt;
  DropEvent drop{ToCanvas(pointer_(), window, canvas), std::move(dropped_)};
  dropped_.clear();
  return drop;
}

}  // namespace host
