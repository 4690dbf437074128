// Files, folders and folder walks.
#pragma once

#include "scn/tables.h"

namespace host {

class FileService {
 public:
  static void FillTable(scn::FileTable& table);

  // Host files and folder browsers handed out and not yet freed, in this process.
  static int LiveFiles();
  static int LiveBrowsers();
};

}  // namespace host
