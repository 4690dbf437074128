// Document times as exact fractions: keys compare and replace by value, not by how a time was written.
#pragma once

#include "scn/tables_scene.h"

namespace host {

// The fraction in lowest terms; the denominator must be 1 or more.
scn::TimeValue ReduceTime(scn::TimeValue t);
// Negative, 0 or positive as a lies before, at or after b; both denominators 1 or more.
int CompareTimes(scn::TimeValue a, scn::TimeValue b);
double Seconds(scn::TimeValue t);

}  // namespace host
