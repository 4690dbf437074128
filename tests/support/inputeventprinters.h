// Readable failure messages for the host's input events.
#pragma once

#include <ostream>
#include <variant>

#include "ui/inputevents.h"

namespace host {

inline const char* ButtonName(MouseButton b) {
  return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "other";
}

inline void PrintTo(const InputEvent& event, std::ostream* os) {
  struct Printer {
    std::ostream& os;
    void operator()(const MouseEvent& e) const {
      os << "press " << ButtonName(e.button) << (e.doubleClick ? " double" : "") << " at (" << e.position.x
         << ", " << e.position.y << ")";
    }
    void operator()(const PointerEvent& e) const {
      if (!e.position) {
        os << "pointer left";
        return;
      }
      os << "pointer at (" << e.position->x << ", " << e.position->y << ")";
    }
    void operator()(const KeyEvent& e) const {
      os << "key " << (e.key == Key::Delete ? "delete" : "backspace");
    }
    void operator()(const DropEvent& e) const {
      os << "drop at (" << e.position.x << ", " << e.position.y << ") of";
      for (const auto& f : e.files) os << " " << f;
    }
    void operator()(const CloseEvent&) const { os << "close"; }
  };
  std::visit(Printer{*os}, event);
}

}  // namespace host
