// The document frames a playback writes, as a user types them: "0,5,10-20".
#pragma once

#include <string>
#include <vector>

namespace host::app {

// Frames above this would not fit the five digits of the output names.
inline constexpr int kLastPlaybackFrame = 99999;

// Frames in the order given, each once; false with a message in *error for an empty item, a negative or
// too large frame, text that is no number, or a range that runs backwards.
bool ParseFrameList(const std::string& text, std::vector<int>* frames, std::string* error);

}  // namespace host::app
