// A window laid out the way the capture manager builds its own: two menus, a button row, a tab group of
// two tabs with a scroll group each, and a pairing group beside it that can be hidden.
#pragma once

#include <string_view>

#include "ui/layout.h"
#include "ui/textmetrics.h"

namespace capturelayout {

// Every character 6 px wide, lines 14 high: geometry that can be worked out by hand.
class FixedMetrics : public host::TextMetrics {
 public:
  int TextWidth(std::string_view text) const override { return 6 * static_cast<int>(text.size()); }
  int LineHeight() const override { return 14; }
};

// The grid's answer to QueryMinSize: 120 x 173 cells, 150 wide at least.
inline std::optional<host::Size> GridMinimum(int width, int cells) {
  const int columns = width / 120;
  if (columns == 0) return host::Size{150, 100};
  return host::Size{150, (cells + columns - 1) / columns * 173 + 63};
}

inline void Build(host::Layout& layout, int faceCells) {
  using host::Insets;
  layout.BeginMenu("File");
  layout.AddMenuEntry(1019, "Request lists");
  layout.AddMenuEntry(1015, "Refresh");
  layout.AddMenuDivider();
  layout.AddMenuEntry(1022, "Preferences");
  layout.EndMenu();
  layout.BeginMenu("Help");
  layout.AddMenuEntry(1021, "Help");
  layout.AddMenuEntry(1020, "About");
  layout.EndMenu();

  layout.BeginGroup({1027, 63, 1, 0, "", 0});
  layout.BeginGroup({1014, 9, 4, 0, "", 0});
  layout.SetGroupBorder({5, 5, 5, 5});
  layout.AddPushButton({1018, 9, "Import", 170, 10});
  layout.AddPushButton({1017, 9, "Download", 150, 10});
  layout.AddPushButton({1026, 17, "Pairing", 180, 10});
  layout.EndGroup();

  layout.BeginGroup({0, 63, 2, 0, "", 0});
  layout.BeginTabGroup({1001, 63, 0});
  layout.BeginGroup({1002, 63, 1, 0, "Face", 0});
  layout.BeginScrollGroup({1005, 63, 516});
  layout.SetGroupBorder({5, 5, 5, 5});
  layout.AddUserArea({1004, 27, 128, 128})->minSizeQuery = [faceCells](int width) {
    return GridMinimum(width, faceCells);
  };
  layout.EndGroup();
  layout.EndGroup();
  layout.BeginGroup({1003, 63, 1, 0, "Body", 0});
  layout.BeginScrollGroup({1007, 63, 516});
  layout.AddUserArea({1006, 27, 128, 128});
  layout.EndGroup();
  layout.EndGroup();
  layout.EndGroup();

  layout.BeginGroup({1025, 25, 1, 0, "", 0});
  layout.SetGroupBorder({5, 5, 5, 5});
  layout.AddUserArea({1000, 25, 128, 128})->minSizeQuery = [](int) { return host::Size{276, 376}; };
  layout.EndGroup();
  layout.EndGroup();
  layout.EndGroup();
}

}  // namespace capturelayout
