#include "animation/transform.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

constexpr double kGimbal = 1e-9;

double Length(const scn::Vector& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

scn::Vector Unit(const scn::Vector& v, double length, const scn::Vector& fallback) {
  return length > 0 ? v * (1.0 / length) : fallback;
}

}  // namespace

Transform Decompose(const scn::Matrix& m) {
  Transform t;
  t.position = m.off;
  t.scale = {Length(m.v1), Length(m.v2), Length(m.v3)};
  const scn::Vector x = Unit(m.v1, t.scale.x, {1, 0, 0});
  const scn::Vector y = Unit(m.v2, t.scale.y, {0, 1, 0});
  const scn::Vector z = Unit(m.v3, t.scale.z, {0, 0, 1});
  // Ry(h) Rx(p) Rz(b) has z = (-sin h cos p, -sin p, cos h cos p), x.y = -cos p sin b, y.y = cos p cos b.
  const double pitch = std::asin(std::clamp(-z.y, -1.0, 1.0));
  if (std::cos(pitch) > kGimbal) {
    t.rotation = {std::atan2(-z.x, z.z), pitch, std::atan2(-x.y, y.y)};
  } else {
    // Heading and bank turn about the same axis: all of it goes to the heading.
    t.rotation = {std::atan2(x.z, x.x), pitch, 0.0};
  }
  return t;
}

scn::Matrix Compose(const Transform& t) {
  scn::Matrix m = scn::RotationY(t.rotation.x) * scn::RotationX(t.rotation.y) * scn::RotationZ(t.rotation.z);
  m.v1 = m.v1 * t.scale.x;
  m.v2 = m.v2 * t.scale.y;
  m.v3 = m.v3 * t.scale.z;
  m.off = t.position;
  return m;
}

}  // namespace host
