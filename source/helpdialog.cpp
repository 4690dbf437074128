#include "helpdialog.h"

#include <cstring>

#include "scn/api.h"
#include "scn/bitmap.h"

namespace {
constexpr scn::Int32 kHelpGroup = 1000;
constexpr scn::Int32 kHtmlPreview = 1001;
constexpr scn::Int32 kFitBoth = 63;
constexpr scn::Int32 kResHelpCommandName = 11022;
constexpr scn::Int32 kResHelpTitle = 11023;
constexpr scn::Int32 kCommandInfoFlags = 0x10000000;
constexpr scn::Int32 kDefaultSize = 1024;
}  // namespace

char HelpPageId[kHelpPageIdSize] = {};

void ShowHelp(const char* pageId) {
  std::memset(HelpPageId, 0, sizeof HelpPageId);
  // strnlen: the caller's text need not be terminated within the buffer's size.
  if (pageId && strnlen(pageId, kHelpPageIdSize) < kHelpPageIdSize) std::strcpy(HelpPageId, pageId);
  scn::RunCommand(kShowHelpCommandId, 0);
}

scn::Filename HelpPageFile() {
  const scn::Filename folder = scn::GetPluginResourceFolder() + scn::Filename("help");
  if (HelpPageId[0] == '\0') return folder + scn::Filename("index.html");
  return folder + scn::Filename(scn::String("index.html?id=") + HelpPageId);
}

scn::Bool HelpPreviewDialog::BuildLayout() {
  // A viewer of an earlier window is gone with that window.
  viewer_ = nullptr;
  if (!scn::HostDialog::BuildLayout()) return false;
  SetTitle(scn::LoadResourceString(kResHelpTitle));
  LayoutFlushGroup(kHelpGroup);
  GroupBegin(kHelpGroup, kFitBoth, 2, 0, "", 0);
  viewer_ = AddCustomGadget(scn::kLibHtmlViewer, "HtmlPreview", kHtmlPreview, kFitBoth, 100, 100);
  GroupEnd();
  LayoutChanged(kHelpGroup);
  return true;
}

void HelpPreviewDialog::OnWindowDestroyed() {
  viewer_ = nullptr;
}

void ShowHelpCommand::ShowPage() {
  // Without the host's HTML viewer the window still opens, empty.
  if (dialog_.Viewer()) scn::SetHtmlViewerUrl(dialog_.Viewer(), HelpPageFile().GetString());
}

scn::Bool ShowHelpCommand::ExecuteCommand(scn::Document*) {
  const scn::Bool opened =
      scn::OpenDialog(&dialog_, scn::kDialogNonModal, kShowHelpCommandId, -1, -1, kDefaultSize, kDefaultSize);
  if (opened) ShowPage();
  return opened;
}

scn::Bool ShowHelpCommand::RestoreWindow(scn::Document*, scn::Int32, void* layoutData) {
  const scn::Bool restored = scn::RestoreDialogWindow(&dialog_, kShowHelpCommandId, 0, layoutData);
  // A restored window shows the page too rather than an empty viewer.
  if (restored) ShowPage();
  return restored;
}

bool RegisterShowHelpCommand() {
  // A module started again without being unloaded opens the start page, not the last page asked for.
  std::memset(HelpPageId, 0, sizeof HelpPageId);
  auto* command = scn::NewObjClear<ShowHelpCommand>("helpdialog", __LINE__);
  if (!command) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
  scn::Bitmap* icon = scn::LoadIconBitmap("Help.png");
  const bool ok = scn::RegisterCommandType(kShowHelpCommandId, scn::LoadResourceString(kResHelpCommandName),
                                           kCommandInfoFlags, icon, "", command);
  scn::FreeBitmap(icon);
  return ok;
}
