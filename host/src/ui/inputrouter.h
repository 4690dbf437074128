// Where each input event of a window goes: presses, drops and hover to the item under the pointer, keys to
// the user area that was pressed last.
#pragma once

#include <optional>

#include "scn/types.h"
#include "ui/hittest.h"
#include "ui/inputevents.h"
#include "ui/windowgeometry.h"

namespace host {

class InputRouter {
 public:
  // A press on a user area gives it the keys; a press anywhere else takes them away.
  Hit Route(const WindowGeometry& geometry, const MouseEvent& event);
  // To the focused user area while it is visible (local point 0, 0); None without one.
  Hit Route(const WindowGeometry& geometry, const KeyEvent& event);
  Hit Route(const WindowGeometry& geometry, const DropEvent& event);
  // What the pointer hovers; None once it left. The keys stay where they are.
  Hit Route(const WindowGeometry& geometry, const PointerEvent& event);
  // The window's, not an item's: always None.
  Hit Route(const WindowGeometry& geometry, const CloseEvent& event);
  Hit Route(const WindowGeometry& geometry, const InputEvent& event);

  std::optional<scn::Int32> FocusedArea() const { return focus_; }

 private:
  std::optional<scn::Int32> focus_;
};

}  // namespace host
