// Value types shared by the host and its plug-ins.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace scn {

using Int32 = std::int32_t;
using UInt32 = std::uint32_t;
using Int64 = std::int64_t;
using Float32 = float;
using Float64 = double;
using Bool = bool;

// 8-bit text.
using String = std::string;

struct Vector {
  Float64 x = 0.0, y = 0.0, z = 0.0;

  friend Vector operator+(const Vector& a, const Vector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
  friend Vector operator-(const Vector& a, const Vector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
  friend Vector operator*(const Vector& a, Float64 s) { return {a.x * s, a.y * s, a.z * s}; }
  friend Vector operator*(Float64 s, const Vector& a) { return a * s; }
  friend bool operator==(const Vector& a, const Vector& b) = default;
};

// An offset and three axes; a point p maps to off + v1 * p.x + v2 * p.y + v3 * p.z.
// A * B applies B first.
struct Matrix {
  Vector off{0, 0, 0};
  Vector v1{1, 0, 0};
  Vector v2{0, 1, 0};
  Vector v3{0, 0, 1};

  friend bool operator==(const Matrix& a, const Matrix& b) = default;

  Vector Transform(const Vector& p) const { return off + v1 * p.x + v2 * p.y + v3 * p.z; }
  Vector TransformDirection(const Vector& p) const { return v1 * p.x + v2 * p.y + v3 * p.z; }

  friend Matrix operator*(const Matrix& a, const Matrix& b) {
    return {a.Transform(b.off), a.TransformDirection(b.v1), a.TransformDirection(b.v2),
            a.TransformDirection(b.v3)};
  }
  friend Vector operator*(const Matrix& m, const Vector& p) { return m.Transform(p); }

  Float64 Determinant() const {
    return v1.x * (v2.y * v3.z - v3.y * v2.z) - v2.x * (v1.y * v3.z - v3.y * v1.z) +
           v3.x * (v1.y * v2.z - v2.y * v1.z);
  }

  // The identity when the axes are singular.
  Matrix Inverse() const {
    const Float64 det = Determinant();
    if (det == 0.0 || !std::isfinite(det)) return Matrix{};
    const Float64 r = 1.0 / det;
    Matrix inv;
    inv.v1 = {(v2.y * v3.z - v3.y * v2.z) * r, -(v1.y * v3.z - v3.y * v1.z) * r,
              (v1.y * v2.z - v2.y * v1.z) * r};
    inv.v2 = {-(v2.x * v3.z - v3.x * v2.z) * r, (v1.x * v3.z - v3.x * v1.z) * r,
              -(v1.x * v2.z - v2.x * v1.z) * r};
    inv.v3 = {(v2.x * v3.y - v3.x * v2.y) * r, -(v1.x * v3.y - v3.x * v1.y) * r,
              (v1.x * v2.y - v2.x * v1.y) * r};
    inv.off = Vector{} - inv.TransformDirection(off);
    return inv;
  }
};

// Rotations of the host's convention (axes as columns).
inline Matrix RotationX(Float64 a) {
  Matrix m;
  m.v2 = {0, std::cos(a), std::sin(a)};
  m.v3 = {0, -std::sin(a), std::cos(a)};
  return m;
}
inline Matrix RotationY(Float64 a) {
  Matrix m;
  m.v1 = {std::cos(a), 0, std::sin(a)};
  m.v3 = {-std::sin(a), 0, std::cos(a)};
  return m;
}
inline Matrix RotationZ(Float64 a) {
  Matrix m;
  m.v1 = {std::cos(a), -std::sin(a), 0};
  m.v2 = {std::sin(a), std::cos(a), 0};
  return m;
}

// Host plug-in interface version this library is written against.
inline constexpr Int32 kHostApiVersion = 21000;

}  // namespace scn
