#include "framelist.h"

#include <charconv>

namespace host::app {
namespace {

bool ParseFrame(const std::string& text, int* frame) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, *frame);
  return !text.empty() && ec == std::errc() && ptr == end && *frame >= 0 && *frame <= kLastPlaybackFrame;
}

bool ParseItem(const std::string& item, int* first, int* last) {
  const auto dash = item.find('-');
  if (dash == std::string::npos) {
    if (!ParseFrame(item, first)) return false;
    *last = *first;
    return true;
  }
  return ParseFrame(item.substr(0, dash), first) && ParseFrame(item.substr(dash + 1), last) &&
         *first <= *last;
}

std::string Complaint(const std::string& text, const std::string& item) {
  std::string message = "bad frame list '" + text + "'";
  if (item != text) message += " at '" + item + "'";
  return message + ": give frames 0-" + std::to_string(kLastPlaybackFrame) +
         " or ranges A-B with A <= B, separated by commas";
}

}  // namespace

bool ParseFrameList(const std::string& text, std::vector<int>* frames, std::string* error) {
  frames->clear();
  std::vector<bool> seen(kLastPlaybackFrame + 1, false);
  std::string::size_type start = 0;
  while (true) {
    const auto comma = text.find(',', start);
    const std::string item =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    int first = 0, last = 0;
    if (!ParseItem(item, &first, &last)) {
      *error = Complaint(text, item);
      frames->clear();
      return false;
    }
    for (int f = first; f <= last; ++f) {
      if (seen[f]) continue;
      seen[f] = true;
      frames->push_back(f);
    }
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace host::app
