// The host's own input events, in window coordinates, before they become the plug-in's input messages.
#pragma once

#include <filesystem>
#include <optional>
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
  friend bool operator==(const MouseEvent&, const MouseEvent&) = default;
};

// The pointer moved over the window, so hover can be shown.
struct PointerEvent {
  std::optional<Point> position;  // nothing: it left the window
  friend bool operator==(const PointerEvent&, const PointerEvent&) = default;
};

// The keys the plug-in acts on: the two delete keys.
enum class Key { Backspace, Delete };

struct KeyEvent {
  Key key = Key::Delete;
  friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// Files let go over the window.
struct DropEvent {
  Point position;
  std::vector<std::filesystem::path> files;
  friend bool operator==(const DropEvent&, const DropEvent&) = default;
};

// The user asks to close the window; the dialog's QueryClose decides.
struct CloseEvent {
  friend bool operator==(const CloseEvent&, const CloseEvent&) = default;
};

using InputEvent = std::variant<MouseEvent, PointerEvent, KeyEvent, DropEvent, CloseEvent>;

}  // namespace host
