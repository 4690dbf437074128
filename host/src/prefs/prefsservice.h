// World settings and preference pages, saved in the host's settings file.
#pragma once

#include <filesystem>

#include "scn/container.h"
#include "scn/tables.h"

namespace host {

class Host;

class PrefsService {
 public:
  PrefsService(Host& host, std::filesystem::path settingsFile);
  ~PrefsService();

  static void FillLibrary(scn::PreferencesLibrary& lib);

  scn::Container& WorldSettings() { return world_; }
  // Writes the world settings to the settings file; true without a file.
  bool Save();

 private:
  Host& host_;
  std::filesystem::path file_;
  scn::Container world_;
};

}  // namespace host
