// The host's colour ids and the dark theme they stand for. The plug-in draws with 1000 and 1003; the
// others are the window painter's own.
#pragma once

#include <optional>

#include "scn/types.h"
#include "ui/colour.h"

namespace host {

inline constexpr scn::Int32 kColourBackground = 1000;      // dialog and user area background
inline constexpr scn::Int32 kColourTitleBar = 1001;        // window title bar
inline constexpr scn::Int32 kColourTextDisabled = 1002;    // text of disabled buttons and menu entries
inline constexpr scn::Int32 kColourText = 1003;            // text on the background
inline constexpr scn::Int32 kColourEdgeLight = 1004;       // lit edge of raised and recessed frames
inline constexpr scn::Int32 kColourEdgeShadow = 1005;      // shaded edge of raised and recessed frames
inline constexpr scn::Int32 kColourEdgeDeep = 1006;        // inner shaded edge of recessed frames
inline constexpr scn::Int32 kColourButton = 1007;          // face of an enabled button
inline constexpr scn::Int32 kColourButtonDisabled = 1008;  // face of a disabled button
inline constexpr scn::Int32 kColourMenuBar = 1009;         // menu bar and open menu
inline constexpr scn::Int32 kColourTabActive = 1010;       // header of the active tab
inline constexpr scn::Int32 kColourTabInactive = 1011;     // headers of the other tabs
inline constexpr scn::Int32 kColourAccent = 1012;          // active tab mark, open menu title
inline constexpr scn::Int32 kColourScrollTrack = 1013;     // scroll bar track
inline constexpr scn::Int32 kColourScrollThumb = 1014;     // scroll bar thumb
inline constexpr scn::Int32 kColourFrame = 1015;           // frames of groups and tab pages

// Empty for an id the host does not know.
std::optional<Rgb> ThemeColour(scn::Int32 id);

}  // namespace host
