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

void PrefsService::LockSettings() {
  settingsLock_.lock();
  owner_.store(std::this_thread::get_id());
  ++lockDepth_;
}

bool PrefsService::UnlockSettings() {
  if (!HoldsSettingsLock()) return false;
  if (--lockDepth_ == 0) owner_.store(std::thread::id());
  settingsLock_.unlock();
  return true;
}

void PrefsService::FillLibrary(scn::PreferencesLibrary& lib) {
  lib.RegisterPreferencePage = [](scn::Int32 id, scn::NodeAllocator alloc, const scn::String& name,
                                  const scn::String& description, scn::Int32 sortValue) {
    Registration r{PluginKind::PreferencePage, id, name, 0, description};
    r.alloc = alloc;
    r.sortValue = sortValue;
    return scn::Bool(Host::Current()->registry().Add(std::move(r), nullptr));
  };
  lib.GetWorldSettings = [] {
    Host& host = *Host::Current();
    // Off the main thread the settings may change under the reader unless it holds the lock.
    if (!host.IsMainThread() && !host.prefs().HoldsSettingsLock())
      host.diagnostics().ReportMisbehaviour(
          "GetWorldSettings called off the main thread without the settings lock");
    return &host.prefs().WorldSettings();
  };
  lib.LockWorldSettings = [] { Host::Current()->prefs().LockSettings(); };
  lib.UnlockWorldSettings = [] {
    if (!Host::Current()->prefs().UnlockSettings())
      Host::Current()->diagnostics().ReportMisbehaviour(
          "UnlockWorldSettings without holding the settings lock");
  };
}

}  // namespace host
