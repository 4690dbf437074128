#include "ui/uiservice.h"

#include <algorithm>

#include "core/host.h"
#include "registry/registry.h"
#include "scn/commanddata.h"
#include "scn/dialog.h"

namespace host {
namespace {

UiService& U() {
  return Host::Current()->ui();
}
bool OnMain(const char* call) {
  return Host::Current()->CheckMainThread(call);
}

}  // namespace

UiService::~UiService() = default;

void UiService::FillTable(scn::UiTable& t) {
  t.OpenDialog = [](scn::HostDialog* dialog, scn::Int32 mode, scn::Int32 pluginId, scn::Int32 x, scn::Int32 y,
                    scn::Int32 w, scn::Int32 h) {
    return scn::Bool(OnMain("OpenDialog") && U().OpenDialog(dialog, mode, pluginId, {x, y, w, h}));
  };
  t.RestoreDialogWindow = [](scn::HostDialog* dialog, scn::Int32 pluginId, scn::Int32 subId,
                             void* layoutData) {
    return scn::Bool(OnMain("RestoreDialogWindow") &&
                     U().RestoreDialogWindow(dialog, pluginId, subId, layoutData));
  };
  t.CloseDialog = [](scn::HostDialog* dialog) {
    return scn::Bool(OnMain("CloseDialog") && U().CloseDialog(dialog));
  };
  t.SetTitle = [](scn::DialogWindow* w, const scn::String& title) {
    return scn::Bool(OnMain("SetTitle") && U().SetTitle(w, title));
  };
  t.LayoutCommand = [](scn::DialogWindow* w, scn::Int32 command, scn::Int32 id) {
    return scn::Bool(OnMain("LayoutCommand") && U().LayoutCommand(w, command, id));
  };
  t.GroupBegin = [](scn::DialogWindow* w, scn::Int32 id, scn::Int32 flags, scn::Int32 columns,
                    scn::Int32 rows, const scn::String& title, scn::Int32 groupFlags) {
    return scn::Bool(OnMain("GroupBegin") &&
                     U().GroupBegin(w, {id, flags, columns, rows, title, groupFlags}));
  };
  t.GroupEnd = [](scn::DialogWindow* w) { return scn::Bool(OnMain("GroupEnd") && U().GroupEnd(w)); };
  t.ShowNotice = [](const scn::String& text) {
    if (OnMain("ShowNotice")) U().ShowNotice(text);
  };
  t.AddCustomGadget = [](scn::DialogWindow* w, scn::Int32 libraryId, const scn::String& name, scn::Int32 id,
                         scn::Int32 flags, scn::Int32 minWidth, scn::Int32 minHeight) -> scn::CustomGadget* {
    if (!OnMain("AddCustomGadget")) return nullptr;
    return U().AddCustomGadget(w, libraryId, name, id, flags, minWidth, minHeight);
  };
}

void UiService::FillHtmlViewerLibrary(scn::HtmlViewerLibrary& lib) {
  lib.SetUrl = [](scn::CustomGadget* g, const scn::String& url) {
    return scn::Bool(OnMain("SetHtmlViewerUrl") && U().SetHtmlViewerUrl(g, url));
  };
}

void UiService::Misbehaving(const std::string& what) {
  host_.diagnostics().ReportMisbehaviour(what);
}

bool UiService::IsOpen(const scn::DialogWindow* w) const {
  return w && std::any_of(windows_.begin(), windows_.end(), [&](const auto& p) { return p.get() == w; });
}

scn::DialogWindow* UiService::Checked(scn::DialogWindow* w, const char* call) {
  if (IsOpen(w)) return w;
  Misbehaving(std::string(call) + " on a window that is not open");
  return nullptr;
}

scn::DialogWindow* UiService::OwnerOf(const scn::CustomGadget* g) const {
  for (const auto& w : windows_)
    if (w->Owns(g)) return w.get();
  return nullptr;
}

void UiService::BringForward(scn::DialogWindow* w) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const auto& p) { return p.get() == w; });
  if (it != windows_.end()) std::rotate(it, it + 1, windows_.end());
}

bool UiService::OpenDialog(scn::HostDialog* dialog, scn::Int32 mode, scn::Int32 pluginId,
                           const WindowPlacement& at) {
  return Open(dialog, mode, pluginId, 0, at, false, "OpenDialog");
}

bool UiService::RestoreDialogWindow(scn::HostDialog* dialog, scn::Int32 pluginId, scn::Int32 subId,
                                    void* layoutData) {
  auto it = std::find(restoring_.begin(), restoring_.end(), static_cast<const RestoreRequest*>(layoutData));
  if (it == restoring_.end()) {
    Misbehaving("RestoreDialogWindow with layout data the host did not hand out");
    return false;
  }
  const RestoreRequest& request = **it;
  if (request.pluginId != pluginId) {
    Misbehaving("RestoreDialogWindow for plug-in " + std::to_string(pluginId) + " with the layout data of " +
                std::to_string(request.pluginId));
    return false;
  }
  return Open(dialog, scn::kDialogNonModal, pluginId, subId, request.placement, true, "RestoreDialogWindow");
}

bool UiService::Open(scn::HostDialog* dialog, scn::Int32 mode, scn::Int32 pluginId, scn::Int32 subId,
                     const WindowPlacement& at, bool restored, const char* call) {
  if (!dialog) {
    Misbehaving(std::string(call) + " without a dialog");
    return false;
  }
  if (mode != scn::kDialogNonModal) {
    Misbehaving(std::string(call) + " with unknown mode " + std::to_string(mode));
    return false;
  }
  if (dialog->window_) {
    scn::DialogWindow* open = dialog->window_;
    if (!IsOpen(open)) {
      Misbehaving(std::string(call) + " of a dialog whose window_ the host did not set");
      return false;
    }
    if (open->closing) return false;
    BringForward(open);
    return true;
  }

  auto window = std::make_unique<scn::DialogWindow>();
  scn::DialogWindow* w = window.get();
  w->dialog = dialog;
  w->mode = mode;
  w->pluginId = pluginId;
  w->subId = subId;
  w->placement = at;
  w->restored = restored;
  windows_.push_back(std::move(window));
  dialog->window_ = w;

  const bool built = dialog->BuildLayout();
  if (!IsOpen(w)) return false;  // the dialog closed its own window
  if (const std::size_t open = w->layout.OpenGroups(); open > 0) {
    Misbehaving("BuildLayout of plug-in " + std::to_string(pluginId) + " left " + std::to_string(open) +
                " group(s) open");
    while (w->layout.EndGroup()) {
    }
  }
  if (!built || !dialog->InitContent()) {
    if (IsOpen(w)) Destroy(w);
    return false;
  }
  return IsOpen(w);
}

void UiService::Destroy(scn::DialogWindow* w) {
  w->closing = true;
  scn::HostDialog* dialog = w->dialog;
  dialog->OnWindowDestroyed();
  if (dialog->window_ == w) dialog->window_ = nullptr;
  std::erase_if(windows_, [&](const auto& p) { return p.get() == w; });
}

bool UiService::CloseDialog(scn::HostDialog* dialog) {
  if (!dialog || !dialog->window_) return false;
  if (!IsOpen(dialog->window_)) {
    Misbehaving("CloseDialog of a dialog whose window_ the host did not set");
    return false;
  }
  if (dialog->window_->closing) return false;
  Destroy(dialog->window_);
  return true;
}

bool UiService::SetTitle(scn::DialogWindow* w, const std::string& title) {
  if (!Checked(w, "SetTitle")) return false;
  w->title = title;
  return true;
}

bool UiService::LayoutCommand(scn::DialogWindow* w, scn::Int32 command, scn::Int32 id) {
  if (!Checked(w, "LayoutCommand")) return false;
  switch (command) {
    case scn::kLayoutFlushGroup: {
      w->commands.push_back({command, id});
      std::vector<scn::CustomGadget*> removed;
      const auto result = w->layout.Flush(id, &removed);
      if (result == Layout::FlushResult::GroupOpenInside) {
        Misbehaving("LayoutCommand " + std::to_string(command) + " empties group " + std::to_string(id) +
                    " while a group inside it is open");
        return false;
      }
      w->DropGadgets(removed);
      // Emptying a group that is not built yet is the usual start of a first layout.
      return result == Layout::FlushResult::Flushed;
    }
    case scn::kLayoutChanged:
      w->commands.push_back({command, id});
      return w->layout.FindGroup(id) != nullptr;
    default:
      Misbehaving("LayoutCommand " + std::to_string(command) + " is unknown");
      return false;
  }
}

bool UiService::GroupBegin(scn::DialogWindow* w, const GroupSpec& spec) {
  if (!Checked(w, "GroupBegin")) return false;
  if (w->layout.BeginGroup(spec)) return true;
  Misbehaving("GroupBegin " + std::to_string(spec.id) + " where the open group takes no further group");
  return false;
}

bool UiService::GroupEnd(scn::DialogWindow* w) {
  if (!Checked(w, "GroupEnd")) return false;
  if (w->layout.EndGroup()) return true;
  Misbehaving("GroupEnd without an open group in the window of plug-in " + std::to_string(w->pluginId));
  return false;
}

scn::CustomGadget* UiService::AddCustomGadget(scn::DialogWindow* w, scn::Int32 libraryId,
                                              const std::string& name, scn::Int32 id, scn::Int32 flags,
                                              scn::Int32 minWidth, scn::Int32 minHeight) {
  if (!Checked(w, "AddCustomGadget")) return nullptr;
  if (!host_.FindLibrary(libraryId)) {
    host_.diagnostics().Output("AddCustomGadget: library " + std::to_string(libraryId) + " is missing");
    return nullptr;
  }
  if (!IsKnownGadgetLibrary(libraryId)) {
    host_.diagnostics().Output("AddCustomGadget: library " + std::to_string(libraryId) + " makes no gadgets");
    return nullptr;
  }
  auto gadget = std::make_unique<scn::CustomGadget>();
  gadget->window = w;
  gadget->libraryId = libraryId;
  gadget->name = name;
  gadget->id = id;
  gadget->flags = flags;
  gadget->minWidth = minWidth;
  gadget->minHeight = minHeight;
  scn::CustomGadget* g = gadget.get();
  if (!w->layout.AddGadget(g)) {
    Misbehaving("AddCustomGadget " + std::to_string(id) + " where the open group takes no gadget");
    return nullptr;
  }
  w->gadgets.push_back(std::move(gadget));
  return g;
}

void UiService::ShowNotice(const std::string& text) {
  notices_.push_back(text);
  host_.diagnostics().Output("notice: " + text);
}

bool UiService::SetHtmlViewerUrl(scn::CustomGadget* g, const std::string& url) {
  if (!g || !OwnerOf(g)) {
    Misbehaving("SetHtmlViewerUrl on a gadget that is not in an open window");
    return false;
  }
  if (!IsHtmlViewer(*g)) return false;
  g->url = url;
  return true;
}

std::vector<scn::DialogWindow*> UiService::OpenWindows() const {
  std::vector<scn::DialogWindow*> out;
  for (const auto& w : windows_) out.push_back(w.get());
  return out;
}

scn::DialogWindow* UiService::FindWindow(scn::Int32 pluginId) const {
  for (const auto& w : windows_)
    if (w->pluginId == pluginId) return w.get();
  return nullptr;
}

std::vector<scn::CustomGadget*> UiService::HtmlViewers(const scn::DialogWindow* w) const {
  std::vector<scn::CustomGadget*> out;
  if (!IsOpen(w)) return out;
  for (scn::CustomGadget* g : w->layout.Gadgets())
    if (IsHtmlViewer(*g)) out.push_back(g);
  return out;
}

std::string UiService::HtmlViewerUrl(const scn::CustomGadget* g) const {
  return g && OwnerOf(g) && IsHtmlViewer(*g) ? g->url : std::string();
}

bool UiService::HtmlPageExists(const scn::CustomGadget* g) const {
  const std::string url = HtmlViewerUrl(g);
  return !url.empty() && host::HtmlPageExists(url);
}

std::string UiService::RenderText(const scn::DialogWindow* w) const {
  return IsOpen(w) ? RenderWindowText(*w) : std::string();
}

bool UiService::RequestClose(scn::DialogWindow* w) {
  if (!IsOpen(w) || w->closing) return false;
  if (w->dialog->QueryClose()) return false;
  if (IsOpen(w)) Destroy(w);
  return true;
}

bool UiService::RestoreCommandWindow(scn::Int32 pluginId, scn::Int32 subId, const WindowPlacement& at) {
  const Registration* r = host_.registry().Find(pluginId, PluginKind::Command);
  if (!r || !r->command) {
    host_.diagnostics().Output("RestoreWindow: no command " + std::to_string(pluginId));
    return false;
  }
  const RestoreRequest request{pluginId, subId, at};
  restoring_.push_back(&request);
  const bool restored = r->command->RestoreWindow(nullptr, subId, const_cast<RestoreRequest*>(&request));
  restoring_.pop_back();
  return restored;
}

void UiService::CloseAll() {
  // Front to back; a window already closing (CloseAll from its OnWindowDestroyed) is left to finish.
  for (;;) {
    auto it = std::find_if(windows_.rbegin(), windows_.rend(), [](const auto& w) { return !w->closing; });
    if (it == windows_.rend()) return;
    Destroy(it->get());
  }
}

}  // namespace host
