#include "ui/htmlviewer.h"

#include <system_error>

namespace host {

bool IsKnownGadgetLibrary(scn::Int32 libraryId) {
  return libraryId == scn::kLibHtmlViewer;
}

bool IsHtmlViewer(const scn::CustomGadget& gadget) {
  return gadget.libraryId == scn::kLibHtmlViewer;
}

std::filesystem::path HtmlPagePath(const std::string& url) {
  static constexpr std::string_view kScheme = "file://";
  std::string_view text = url;
  if (text.substr(0, kScheme.size()) == kScheme) text.remove_prefix(kScheme.size());
  // The query part ("?id=1001") selects a section of the page, not another file.
  text = text.substr(0, text.find('?'));
  return std::filesystem::path(std::string(text));
}

bool HtmlPageExists(const std::string& url) {
  const auto path = HtmlPagePath(url);
  if (path.empty()) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace host
