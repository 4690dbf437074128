// The host's own input events, in window coordinates, before they become the plug-in's input messages.
#pragma once

#include <filesystem>
#include <variant>
#include <vector>

#include "ui/rect.h"

namespace host {

enum class MouseButton { Left, Right, Other };

// A button going down.
struct MouseEvent {
  Point position;
  MouseButton button = MouseButton::Left;
  bool doubleClick = false;
};

// The keys the plug-in acts on: the two delete keys.
enum class Key { Backspace, Delete };

struct KeyEvent {
  Key key = Key::Delete;
};

// Files let go over the window.
struct DropEvent {
  Point position;
  std::vector<std::filesystem::path> files;
};

using InputEvent = std::variant<MouseEvent, KeyEvent, DropEvent>;

}  // namespace host
