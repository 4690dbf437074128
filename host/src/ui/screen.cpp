#include "ui/screen.h"

#include <SDL.h>

#include <cstdlib>

#include "core/diagnostics.h"
#include "ui/screeninput.h"
#include "ui/screenwindow.h"

namespace host {

std::unique_ptr<Screen> Screen::Open(Diagnostics& diagnostics) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) {
    diagnostics.Output("no display: DISPLAY is not set; running headless");
    return nullptr;
  }
  // The host keeps its own signal handling, and a dialog open on screen should not stop the screensaver.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // DISPLAY names an X display: that one, not a console or compositor SDL might find instead. The
  // SDL_VIDEODRIVER variable still wins.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    diagnostics.Output(std::string("no display: cannot open ") + display + ": " + SDL_GetError() +
                       "; running headless");
    return nullptr;
  }
  return std::unique_ptr<Screen>(new Screen(diagnostics));
}

Screen::~Screen() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (SDL_WasInit(0) == 0) SDL_Quit();
}

std::unique_ptr<ScreenWindow> Screen::OpenWindow(const std::string& title, Size canvas) {
  return ScreenWindow::Open(title, canvas, diagnostics_);
}

std::vector<ScreenInput> Screen::Pump() {
  std::vector<ScreenInput> inputs;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (ScreenWindow* window = ScreenWindow::FromId(WindowIdOf(event))) {
      if (std::optional<InputEvent> input = window->Take(event))
        inputs.push_back({window, std::move(*input)});
    }
    // SDL hands these strings over to whoever polls.
    if (event.type == SDL_DROPFILE || event.type == SDL_DROPTEXT) SDL_free(event.drop.file);
  }
  return inputs;
}

}  // namespace host
