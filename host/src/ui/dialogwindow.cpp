#include "ui/dialogwindow.h"

#include <algorithm>

namespace host {

const char* DialogModeName(scn::Int32 mode) {
  return mode == scn::kDialogNonModal ? "non-modal" : "unknown mode";
}

}  // namespace host

namespace scn {

CustomGadget* DialogWindow::FindGadget(Int32 id) const {
  const host::LayoutItem* item = layout.FindGadget(id);
  return item ? item->gadget : nullptr;
}

bool DialogWindow::Owns(const CustomGadget* gadget) const {
  return std::any_of(gadgets.begin(), gadgets.end(), [&](const auto& g) { return g.get() == gadget; });
}

void DialogWindow::DropGadgets(const std::vector<CustomGadget*>& removed) {
  std::erase_if(gadgets, [&](const auto& g) {
    return std::find(removed.begin(), removed.end(), g.get()) != removed.end();
  });
}

}  // namespace scn

namespace host {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string State(const LayoutItem& item) {
  return std::string(item.hidden ? ", hidden" : "") + (item.enabled ? "" : ", disabled");
}

std::string Common(const LayoutItem& item) {
  return std::to_string(item.id) + " flags " + std::to_string(item.flags) + State(item);
}

std::string MinSize(const LayoutItem& item) {
  return ", min " + std::to_string(item.minWidth) + " x " + std::to_string(item.minHeight);
}

std::string GadgetLine(const scn::CustomGadget& g) {
  const std::string kind =
      IsHtmlViewer(g) ? "html viewer" : "gadget of library " + std::to_string(g.libraryId);
  std::string line = kind + " " + std::to_string(g.id) + " " + Quoted(g.name) + " flags " +
                     std::to_string(g.flags) + ", min " + std::to_string(g.minWidth) + " x " +
                     std::to_string(g.minHeight);
  if (IsHtmlViewer(g))
    line += ", page " + (g.url.empty() ? std::string("(none)")
                                       : g.url + (HtmlPageExists(g.url) ? " (exists)" : " (missing)"));
  return line;
}

std::string ItemLine(const LayoutItem& item) {
  switch (item.kind) {
    case LayoutKind::Group:
      return "group " + std::to_string(item.id) + " " + Quoted(item.title) + " flags " +
             std::to_string(item.flags) + ", " + std::to_string(item.columns) + " columns, " +
             std::to_string(item.rows) + " rows" + State(item);
    case LayoutKind::TabGroup:
      return "tab group " + Common(item) + ", active tab " + std::to_string(item.activeTab);
    case LayoutKind::ScrollGroup:
      return "scroll group " + Common(item) + ", scroll flags " + std::to_string(item.scrollFlags);
    case LayoutKind::PushButton:
      return "button " + Common(item) + " " + Quoted(item.title) + MinSize(item);
    case LayoutKind::UserArea:
      return "user area " + Common(item) + MinSize(item);
    case LayoutKind::CustomGadget:
      return GadgetLine(*item.gadget);
  }
  return "item " + Common(item);
}

void RenderItem(const LayoutItem& item, int depth, std::string* out) {
  *out += std::string(2 * depth, ' ') + ItemLine(item) + "\n";
  for (const auto& child : item.children) RenderItem(*child, depth + 1, out);
}

}  // namespace

std::string RenderWindowText(const scn::DialogWindow& w) {
  const WindowPlacement& p = w.placement;
  std::string out = "window " + Quoted(w.title) + " of plug-in " + std::to_string(w.pluginId) + ", " +
                    DialogModeName(w.mode) + (w.restored ? ", restored" : "") + ", at " +
                    std::to_string(p.x) + ", " + std::to_string(p.y) + " size " + std::to_string(p.width) +
                    " x " + std::to_string(p.height) + "\n";
  for (const auto& child : w.layout.Root().children) RenderItem(*child, 1, &out);
  return out;
}

}  // namespace host
