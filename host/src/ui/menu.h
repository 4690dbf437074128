// A window's menu bar: menus of entries and dividers.
#pragma once

#include <string>
#include <vector>

#include "scn/types.h"

namespace host {

struct MenuEntry {
  scn::Int32 id = 0;
  std::string text;
  bool divider = false;  // a line between entries; no id, no text
  bool enabled = true;
};

struct Menu {
  std::string title;
  std::vector<MenuEntry> entries;
};

}  // namespace host
