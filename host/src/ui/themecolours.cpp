#include "ui/themecolours.h"

#include <array>
#include <utility>

namespace host {
namespace {

constexpr std::array<std::pair<scn::Int32, Rgb>, 16> kTheme{{
    {kColourBackground, {51, 51, 51}},
    {kColourTitleBar, {30, 30, 30}},
    {kColourTextDisabled, {118, 118, 118}},
    {kColourText, {220, 220, 220}},
    {kColourEdgeLight, {96, 96, 96}},
    {kColourEdgeShadow, {22, 22, 22}},
    {kColourEdgeDeep, {36, 36, 36}},
    {kColourButton, {74, 74, 74}},
    {kColourButtonDisabled, {60, 60, 60}},
    {kColourMenuBar, {40, 40, 40}},
    {kColourTabActive, {66, 66, 66}},
    {kColourTabInactive, {42, 42, 42}},
    {kColourAccent, {86, 150, 226}},
    {kColourScrollTrack, {38, 38, 38}},
    {kColourScrollThumb, {104, 104, 104}},
    {kColourFrame, {78, 78, 78}},
}};

}  // namespace

std::optional<Rgb> ThemeColour(scn::Int32 id) {
  for (const auto& [known, colour] : kTheme)
    if (known == id) return colour;
  return std::nullopt;
}

}  // namespace host
