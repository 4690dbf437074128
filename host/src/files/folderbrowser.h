// Folder walks: a folder's entries read at once and handed out in name order.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "scn/tables.h"

namespace scn {

struct FolderBrowser {
  struct Entry {
    std::string name;  // file part only
    bool isDirectory = false;
  };
  std::vector<Entry> entries;  // sorted by name, without "." and ".."
  std::size_t next = 0;
};

}  // namespace scn

namespace host {

// Null when the path is no readable folder.
std::unique_ptr<scn::FolderBrowser> OpenFolder(const std::string& path);
// False when every entry has been handed out.
bool NextEntry(scn::FolderBrowser& b, std::string* name, bool* isDirectory);

}  // namespace host
