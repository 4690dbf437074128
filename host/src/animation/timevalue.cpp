#include "animation/timevalue.h"

#include <numeric>

namespace host {

scn::TimeValue ReduceTime(scn::TimeValue t) {
  const scn::Int64 g = std::gcd(t.numerator, t.denominator);
  if (g <= 1) return t;
  return {t.numerator / g, t.denominator / g};
}

int CompareTimes(scn::TimeValue a, scn::TimeValue b) {
  // The cross products of two Int64 fractions need 128 bits.
  const __int128 left = static_cast<__int128>(a.numerator) * b.denominator;
  const __int128 right = static_cast<__int128>(b.numerator) * a.denominator;
  return left < right ? -1 : (left > right ? 1 : 0);
}

double Seconds(scn::TimeValue t) {
  return static_cast<double>(t.numerator) / static_cast<double>(t.denominator);
}

}  // namespace host
