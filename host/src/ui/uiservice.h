// Dialogs, their layout and the HTML viewer gadget. Windows are the host's; the dialogs in them belong to
// the plug-in.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scn/tables.h"
#include "ui/dialogwindow.h"

namespace host {

class Host;

class UiService {
 public:
  explicit UiService(Host& host) : host_(host) {}
  ~UiService();
  UiService(const UiService&) = delete;
  UiService& operator=(const UiService&) = delete;

  static void FillTable(scn::UiTable& table);
  static void FillHtmlViewerLibrary(scn::HtmlViewerLibrary& lib);

  // What the table entries do, after their thread check.
  bool OpenDialog(scn::HostDialog* dialog, scn::Int32 mode, scn::Int32 pluginId, const WindowPlacement& at);
  bool RestoreDialogWindow(scn::HostDialog* dialog, scn::Int32 pluginId, scn::Int32 subId, void* layoutData);
  bool CloseDialog(scn::HostDialog* dialog);
  bool SetTitle(scn::DialogWindow* w, const std::string& title);
  bool LayoutCommand(scn::DialogWindow* w, scn::Int32 command, scn::Int32 id);
  bool GroupBegin(scn::DialogWindow* w, const GroupSpec& spec);
  bool GroupEnd(scn::DialogWindow* w);
  scn::CustomGadget* AddCustomGadget(scn::DialogWindow* w, scn::Int32 libraryId, const std::string& name,
                                     scn::Int32 id, scn::Int32 flags, scn::Int32 minWidth,
                                     scn::Int32 minHeight);
  bool SetHtmlViewerUrl(scn::CustomGadget* g, const std::string& url);
  // The host answers a notice at once; they are kept in order and echoed as diagnostics.
  void ShowNotice(const std::string& text);
  const std::vector<std::string>& Notices() const { return notices_; }

  // Open windows, back to front (the last is in front).
  std::vector<scn::DialogWindow*> OpenWindows() const;
  // The open window of that plug-in id, or null.
  scn::DialogWindow* FindWindow(scn::Int32 pluginId) const;
  // The HTML viewers of a window, in layout order.
  std::vector<scn::CustomGadget*> HtmlViewers(const scn::DialogWindow* w) const;
  // The address given to an HTML viewer; empty for null or another gadget.
  std::string HtmlViewerUrl(const scn::CustomGadget* g) const;
  // True when the viewer's address names an existing file.
  bool HtmlPageExists(const scn::CustomGadget* g) const;
  // A text picture of a window: title, placement, groups and gadgets, one per line.
  std::string RenderText(const scn::DialogWindow* w) const;

  // The user closes a window: it stays when QueryClose answers true; false when it stayed or was not open.
  bool RequestClose(scn::DialogWindow* w);
  // The host restores a command's window from saved layout data (the command's RestoreWindow).
  bool RestoreCommandWindow(scn::Int32 pluginId, scn::Int32 subId, const WindowPlacement& at);

  // Destroys every open window (OnWindowDestroyed); the dialogs themselves belong to the plug-in.
  void CloseAll();

 private:
  // What RestoreWindow's layout data points to while the host restores a command's window.
  struct RestoreRequest {
    scn::Int32 pluginId = 0;
    scn::Int32 subId = 0;
    WindowPlacement placement;
  };

  bool Open(scn::HostDialog* dialog, scn::Int32 mode, scn::Int32 pluginId, scn::Int32 subId,
            const WindowPlacement& at, bool restored, const char* call);
  void Destroy(scn::DialogWindow* w);
  void BringForward(scn::DialogWindow* w);
  bool IsOpen(const scn::DialogWindow* w) const;
  // The window when it is open, else null with a report naming the call.
  scn::DialogWindow* Checked(scn::DialogWindow* w, const char* call);
  scn::DialogWindow* OwnerOf(const scn::CustomGadget* g) const;
  void Misbehaving(const std::string& what);

  Host& host_;
  std::vector<std::unique_ptr<scn::DialogWindow>> windows_;
  std::vector<const RestoreRequest*> restoring_;
  std::vector<std::string> notices_;
};

}  // namespace host
