#include "prefs/prefsservice.h"

namespace host {

PrefsService::PrefsService(Host& host, std::filesystem::path settingsFile)
    : host_(host), file_(std::move(settingsFile)) {}
PrefsService::~PrefsService() = default;
void PrefsService::FillLibrary(scn::PreferencesLibrary&) {}
bool PrefsService::Save() { return true; }

}  // namespace host
