#include "preferences.h"

scn::Container* GetPreferencesContainer() { return nullptr; }
scn::Filename GetCapturesFolder() { return {}; }
scn::Filename GetArModelsFolder() { return {}; }
bool RegisterARPreferences() { return true; }
