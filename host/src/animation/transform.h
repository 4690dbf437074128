// An object's local matrix as position, rotation and scale, the way tracks and graph ports address it:
// rotation (heading, pitch, bank) in radians, matrix Ry(heading) x Rx(pitch) x Rz(bank), then each axis
// scaled.
#pragma once

#include "scn/types.h"

namespace host {

struct Transform {
  scn::Vector position;
  scn::Vector rotation;  // x heading, y pitch, z bank
  scn::Vector scale{1, 1, 1};
};

// Pitch in [-pi/2, pi/2], heading and bank in (-pi, pi]; at a pitch of +-pi/2 the bank is 0. An axis of
// length 0 counts as that axis unscaled for the rotation.
Transform Decompose(const scn::Matrix& m);
scn::Matrix Compose(const Transform& t);

}  // namespace host
