// An object's matrix as position, heading, pitch, bank and scale, and back.
#include "animation/transform.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

void ExpectNear(const scn::Vector& got, const scn::Vector& want, const char* what) {
  EXPECT_NEAR(got.x, want.x, 1e-9) << what;
  EXPECT_NEAR(got.y, want.y, 1e-9) << what;
  EXPECT_NEAR(got.z, want.z, 1e-9) << what;
}

TEST(TransformTest, HeadingPitchAndBankAreTheHostsRotationsAboutYXAndZ) {
  struct Row {
    scn::Vector hpb;
    scn::Matrix m;
  };
  const std::vector<Row> rows = {
      {{0.7, 0, 0}, scn::RotationY(0.7)},
      {{0, 0.7, 0}, scn::RotationX(0.7)},
      {{0, 0, 0.7}, scn::RotationZ(0.7)},
      {{0.3, -0.4, 2.5}, scn::RotationY(0.3) * scn::RotationX(-0.4) * scn::RotationZ(2.5)},
  };
  for (const Row& row : rows) {
    const scn::Matrix m = host::Compose({{0, 0, 0}, row.hpb, {1, 1, 1}});
    ExpectNear(m.v1, row.m.v1, "v1");
    ExpectNear(m.v2, row.m.v2, "v2");
    ExpectNear(m.v3, row.m.v3, "v3");
    ExpectNear(host::Decompose(row.m).rotation, row.hpb, "angles");
  }
}

TEST(TransformTest, DecomposingAndComposingGiveTheSameMatrix) {
  const std::vector<host::Transform> table = {
      {{1, 2, 3}, {0, 0, 0}, {1, 1, 1}},
      {{-4, 0, 9}, {3.0, 1.2, -2.9}, {2, 0.5, 3}},
      {{0, 0, 0}, {0.5, kPi / 2, 0}, {1, 1, 1}},    // pitch straight up: bank folds into heading
      {{0, 0, 0}, {-1.0, -kPi / 2, 0}, {1, 2, 1}},  // and straight down
  };
  for (const host::Transform& t : table) {
    const scn::Matrix m = host::Compose(t);
    const host::Transform back = host::Decompose(m);
    ExpectNear(back.position, t.position, "position");
    ExpectNear(back.rotation, t.rotation, "rotation");
    ExpectNear(back.scale, t.scale, "scale");
    const scn::Matrix again = host::Compose(back);
    ExpectNear(again.v1, m.v1, "v1");
    ExpectNear(again.v2, m.v2, "v2");
    ExpectNear(again.v3, m.v3, "v3");
  }
}

TEST(TransformTest, AGimbalLockedMatrixGivesItsTurnToTheHeading) {
  const scn::Matrix m = host::Compose({{0, 0, 0}, {0.2, kPi / 2, 0.5}, {1, 1, 1}});
  const host::Transform t = host::Decompose(m);
  EXPECT_NEAR(t.rotation.z, 0.0, 1e-12);
  const scn::Matrix again = host::Compose(t);
  ExpectNear(again.v1, m.v1, "v1");
  ExpectNear(again.v3, m.v3, "v3");
}

TEST(TransformTest, AFlatAxisKeepsTheRotationOfTheOthers) {
  scn::Matrix m = scn::RotationY(0.4);
  m.v2 = {0, 0, 0};
  const host::Transform t = host::Decompose(m);
  EXPECT_EQ(t.scale.y, 0.0);
  ExpectNear(t.rotation, {0.4, 0, 0}, "rotation");
}

}  // namespace
