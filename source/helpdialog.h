// The help command and its dialog: an HTML viewer showing the plug-in's help pages.
#pragma once

#include <cstddef>

#include "scn/commanddata.h"
#include "scn/dialog.h"
#include "scn/filename.h"

inline constexpr scn::Int32 kShowHelpCommandId = 1050446;
inline constexpr std::size_t kHelpPageIdSize = 100;

// The page id the next help command opens, zero-terminated; empty means the start page.
extern char HelpPageId[kHelpPageIdSize];

// Opens the help page of that id (null or empty: the start page) in the help dialog. An id of 100 or
// more characters does not fit HelpPageId and shows the start page.
void ShowHelp(const char* pageId);

// The help page file for HelpPageId: "index.html" of the resource folder's "help", with "?id=" and the id.
scn::Filename HelpPageFile();

class HelpPreviewDialog : public scn::HostDialog {
 public:
  scn::Bool BuildLayout() override;
  void OnWindowDestroyed() override;

  // The HTML viewer of the open window; null before the layout is built, after the window went, or
  // when the host has no HTML viewer.
  scn::CustomGadget* Viewer() const { return viewer_; }

 private:
  scn::CustomGadget* viewer_ = nullptr;
};

// Command 1050446: opens the help dialog on the page HelpPageId names.
class ShowHelpCommand : public scn::CommandData {
 public:
  scn::Bool ExecuteCommand(scn::Document* doc) override;
  scn::Bool RestoreWindow(scn::Document* doc, scn::Int32 subId, void* layoutData) override;

 private:
  void ShowPage();

  HelpPreviewDialog dialog_;
};

bool RegisterShowHelpCommand();
