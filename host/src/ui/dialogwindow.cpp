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

void RenderItem(const LayoutItem& item, int depth, std::string* out) {
  const std::string indent(2 * depth, ' ');
  if (item.kind == LayoutKind::Group) {
    *out += indent + "group " + std::to_string(item.id) + " " + Quoted(item.title) + " flags " +
            std::to_string(item.flags) + ", " + std::to_string(item.columns) + " columns, " +
            std::to_string(item.rows) + " rows\n";
  } else {
    const scn::CustomGadget& g = *item.gadget;
    const std::string kind =
        IsHtmlViewer(g) ? "html viewer" : "gadget of library " + std::to_string(g.libraryId);
    *out += indent + kind + " " + std::to_string(g.id) + " " + Quoted(g.name) + " flags " +
            std::to_string(g.flags) + ", min " + std::to_string(g.minWidth) + " x " +
            std::to_string(g.minHeight);
    if (IsHtmlViewer(g))
      *out += ", page " + (g.url.empty() ? std::string("(none)")
                                         : g.url + (HtmlPageExists(g.url) ? " (exists)" : " (missing)"));
    *out += "\n";
  }
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
