// The plug-in's preference page and the folders derived from it.
#pragma once

#include "scn/container.h"
#include "scn/filename.h"
#include "scn/nodedata.h"

// Preference ids inside the world-settings sub-container 1040655.
inline constexpr scn::Int32 kPrefsContainerId = 1040655;
inline constexpr scn::Int32 PrefPort = 1000;
inline constexpr scn::Int32 PrefCustomIp = 1001;
inline constexpr scn::Int32 PrefUseCustomIp = 1002;
inline constexpr scn::Int32 PrefDataFolder = 1003;

// The plug-in's preferences; null when the host's preferences are not there.
scn::Container* GetPreferencesContainer();
// The data folder's "captures" and "armodels" folders (made when missing); empty without a data folder.
scn::Filename GetCapturesFolder();
scn::Filename GetArModelsFolder();

bool RegisterARPreferences();
