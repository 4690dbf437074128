#include "files/recordfile.h"

namespace host {

void RecordFile::FillTable(scn::RecordTable&) {}

}  // namespace host
