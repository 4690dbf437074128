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

inline constexpr scn::Int32 kARPreferencesPageId = 1040654;
inline constexpr scn::Int32 kDefaultPort = 60001;
// The ports the page accepts, as its description says.
inline constexpr scn::Int32 kMinPort = 1;
inline constexpr scn::Int32 kMaxPort = 65535;

// The page in the host's preferences window; its values live in the preferences container, not in the
// page's node.
class ARPreferences : public scn::PrefsPageData {
 public:
  // Null when out of memory.
  static scn::NodeData* AllocARPreferences();

  scn::Bool InitNodeData(scn::SceneNode* node) override;
  scn::Bool BuildDescription(scn::SceneNode* node, scn::Description* desc, scn::Int32& flags) override;
  scn::Bool ReadParameterHook(scn::SceneNode* node, scn::Int32 id, scn::Value& out,
                              scn::Int32& flags) override;
  scn::Bool WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                               scn::Int32& flags) override;
  scn::Bool IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container& itemDesc) override;
  // Sets the default of one preference; false without a preferences container.
  scn::Bool InitPageValues(scn::Int32 id, scn::Description* desc) override;
};

// With a description, writes the default into the id's description entry (when there is one); without,
// stores it in the container when the container has no value of the default's type under the id.
void InitPreferenceValue(scn::Int32 id, const scn::Value& defaultValue, scn::Description* desc,
                         scn::Container* prefs);

// The plug-in's preferences (made empty on first use); null when the host's preferences are not there.
// Main thread: it may make the container, and its values may be read there as they are; a write to them
// holds scn::WorldSettingsLock, because other threads read them.
scn::Container* GetPreferencesContainer();
// The data folder's "captures" and "armodels" folders (made when missing); empty without a data folder.
// Any thread: the phone link's reader thread asks for them while the page may change the data folder.
scn::Filename GetCapturesFolder();
scn::Filename GetArModelsFolder();

bool RegisterARPreferences();
