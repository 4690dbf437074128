// Tagged record files of scene data.
#pragma once

#include <memory>
#include <vector>

#include "scn/tables.h"

namespace host {

class RecordFile {
 public:
  static void FillTable(scn::RecordTable& table);
};

}  // namespace host
