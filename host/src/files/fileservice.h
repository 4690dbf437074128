// Files, folders and folder walks.
#pragma once

#include "scn/tables.h"

namespace host {

class FileService {
 public:
  static void FillTable(scn::FileTable& table);
};

}  // namespace host
