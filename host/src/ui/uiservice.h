// Dialogs, their layout and the HTML viewer gadget.
#pragma once

#include "scn/tables.h"

namespace host {

class Host;

class UiService {
 public:
  explicit UiService(Host& host) : host_(host) {}
  ~UiService();

  static void FillTable(scn::UiTable& table);
  static void FillHtmlViewerLibrary(scn::HtmlViewerLibrary& lib);

  // Destroys every open window (OnWindowDestroyed); the dialogs themselves belong to the plug-in.
  void CloseAll();

 private:
  Host& host_;
};

}  // namespace host
