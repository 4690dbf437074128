#include "prefs/prefsservice.h"

#include "core/host.h"
#include "prefs/settingsfile.h"
#include "registry/registry.h"

namespace host {

PrefsService::PrefsService(Host& host, std::filesystem::path settingsFile)
    : host_(host), file_(std::move(settingsFile)) {
  Load();
}

PrefsService::~PrefsService() = default;

void PrefsService::Load() {
  if (file_.empty()) return;
  std::string error;
  switch (LoadSettingsFile(file_, &world_, &error)) {
    case SettingsLoad::Loaded:
    case SettingsLoad::Missing:
      return;
    case SettingsLoad::Unreadable:
      host_.diagnostics().Output("settings file ignored: " + error);
      return;
    case SettingsLoad::Corrupt:
      break;
  }
  // Kept aside so that the next save does not destroy what a user may still want to recover.
  const std::filesystem::path aside = file_.string() + ".corrupt";
  std::error_code ec;
  std::filesystem::rename(file_, aside, ec);
  host_.diagnostics().Output("settings file " + file_.string() + " is corrupt (" + error +
                             "); starting with empty settings" +
                             (ec ? "" : ", the file moved to " + aside.string()));
}

bool PrefsService::Save() {
  if (file_.empty()) return true;
  std::string error;
  if (SaveSettingsFile(file_, world_, &error)) return true;
  host_.diagnostics().Output("settings not saved: " + error);
  return false;
}

void PrefsService::FillLibrary(scn::PreferencesLibrary& lib) {
  lib.RegisterPreferencePage = [](scn::Int32 id, scn::NodeAllocator alloc, const scn::String& name,
                                  const scn::String& description, scn::Int32 sortValue) {
    Registration r{PluginKind::PreferencePage, id, name, 0, description};
    r.alloc = alloc;
    r.sortValue = sortValue;
    return scn::Bool(Host::Current()->registry().Add(std::move(r), nullptr));
  };
  lib.GetWorldSettings = [] { return &Host::Current()->prefs().WorldSettings(); };
}

}  // namespace host
