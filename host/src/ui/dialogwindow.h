// The host's side of an open dialog: its window, placement, title, layout and gadgets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scn/tables.h"
#include "ui/htmlviewer.h"
#include "ui/layout.h"

namespace host {

struct LayoutCommandRecord {
  scn::Int32 command = 0;  // kLayoutFlushGroup or kLayoutChanged
  scn::Int32 id = 0;
  friend bool operator==(const LayoutCommandRecord&, const LayoutCommandRecord&) = default;
};

// Where a window stands; the layout data the host hands to RestoreWindow.
struct WindowPlacement {
  scn::Int32 x = -1;
  scn::Int32 y = -1;
  scn::Int32 width = 0;
  scn::Int32 height = 0;
};

const char* DialogModeName(scn::Int32 mode);

}  // namespace host

namespace scn {

struct DialogWindow {
  HostDialog* dialog = nullptr;  // the plug-in's; not owned
  Int32 mode = 0;
  Int32 pluginId = 0;
  Int32 subId = 0;
  host::WindowPlacement placement;
  bool restored = false;  // opened by RestoreDialogWindow
  bool closing = false;   // OnWindowDestroyed is running
  std::string title;
  host::Layout layout;
  std::vector<host::LayoutCommandRecord> commands;
  std::vector<std::unique_ptr<CustomGadget>> gadgets;

  const host::LayoutItem* FindGroup(Int32 id) const { return layout.FindGroup(id); }
  // The gadget of that id in the layout, or null.
  CustomGadget* FindGadget(Int32 id) const;
  bool Owns(const CustomGadget* gadget) const;
  // Destroys gadgets that left the layout.
  void DropGadgets(const std::vector<CustomGadget*>& removed);
};

}  // namespace scn

namespace host {

// One line for the window, then one per group and gadget, indented by depth.
std::string RenderWindowText(const scn::DialogWindow& w);

}  // namespace host
