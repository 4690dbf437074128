// Gadgets of host libraries inside a dialog; the HTML viewer (library 200000114) is the one the host makes.
#pragma once

#include <filesystem>
#include <string>

#include "scn/tables.h"

namespace scn {

struct CustomGadget {
  DialogWindow* window = nullptr;  // the window that owns the gadget
  Int32 libraryId = 0;
  std::string name;
  Int32 id = 0;
  Int32 flags = 0;
  Int32 minWidth = 0;
  Int32 minHeight = 0;
  // HTML viewer: the address last given (SetUrl); empty until then.
  std::string url;
};

}  // namespace scn

namespace host {

// Libraries whose custom gadgets this host can make.
bool IsKnownGadgetLibrary(scn::Int32 libraryId);
bool IsHtmlViewer(const scn::CustomGadget& gadget);

// The local file an address names: a leading "file://" and everything from the first "?" dropped.
std::filesystem::path HtmlPagePath(const std::string& url);
// True when the address names an existing regular file.
bool HtmlPageExists(const std::string& url);

}  // namespace host
