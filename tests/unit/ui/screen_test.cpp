// Without DISPLAY the host opens no screen and says so once.
#include "ui/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "core/diagnostics.h"

namespace {

TEST(ScreenTest, WithoutADisplayTheHostGoesOnHeadless) {
  std::optional<std::string> saved;
  if (const char* d = std::getenv("DISPLAY")) saved = d;
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    if (value)
      ::setenv("DISPLAY", value, 1);
    else
      ::unsetenv("DISPLAY");
    host::Diagnostics diagnostics;
    EXPECT_EQ(host::Screen::Open(diagnostics), nullptr);
    EXPECT_EQ(diagnostics.Lines(),
              (std::vector<std::string>{"no display: DISPLAY is not set; running headless"}));
  }
  if (saved) ::setenv("DISPLAY", saved->c_str(), 1);
}

}  // namespace
