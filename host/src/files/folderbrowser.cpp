#include "files/folderbrowser.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace host {
namespace fs = std::filesystem;

std::unique_ptr<scn::FolderBrowser> OpenFolder(const std::string& path) {
  if (path.empty()) return nullptr;
  try {
    std::error_code ec;
    auto it = fs::directory_iterator(path, ec);
    if (ec) return nullptr;
    auto browser = std::make_unique<scn::FolderBrowser>();
    for (; it != fs::directory_iterator(); it.increment(ec)) {
      if (ec) return nullptr;
      std::error_code kindEc;
      browser->entries.push_back({it->path().filename().string(), it->is_directory(kindEc)});
    }
    if (ec) return nullptr;
    std::sort(browser->entries.begin(), browser->entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return browser;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

bool NextEntry(scn::FolderBrowser& b, std::string* name, bool* isDirectory) {
  if (b.next >= b.entries.size()) return false;
  const auto& e = b.entries[b.next++];
  if (name) *name = e.name;
  if (isDirectory) *isDirectory = e.isDirectory;
  return true;
}

}  // namespace host
