// A node's parameters in a record:
//   Int32 count, then per value: Int32 id, Int32 type code (scn::ValueType), the value: Int32, Bool,
//   Float64, Vector, Matrix, String or Filename as that record value, a link as an Int64 node id, a
//   container as parameters again, none as nothing.
#pragma once

#include "scn/container.h"
#include "scn/tables.h"

namespace host {

// Containers nest at most this deep in a record.
inline constexpr int kParameterRecordDepth = 16;

bool WriteParameters(const scn::RecordTable& records, scn::RecordFile* rf, const scn::Container& values);
// Replaces *values; false (values unchanged) when the record fails or is malformed (an unknown type code,
// a negative count, nesting too deep).
bool ReadParameters(const scn::RecordTable& records, scn::RecordFile* rf, scn::Container* values);

}  // namespace host
