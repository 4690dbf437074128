#include "preferences.h"

#include <limits>
#include <string>

#include "scn/api.h"

namespace {

constexpr scn::Int32 kPreferenceIds[] = {PrefPort, PrefCustomIp, PrefUseCustomIp, PrefDataFolder};

// Numbers as the host converts them (a real loses its fraction); false for any other value and for a
// real beyond the Int32 range or NaN, which no Int32 can hold.
bool ToInt32(const scn::Value& v, scn::Int32* out) {
  if (auto p = std::get_if<scn::Int32>(&v)) {
    *out = *p;
  } else if (auto p = std::get_if<scn::Bool>(&v)) {
    *out = *p ? 1 : 0;
  } else if (auto p = std::get_if<scn::Float64>(&v)) {
    constexpr auto kLow = static_cast<scn::Float64>(std::numeric_limits<scn::Int32>::min());
    constexpr auto kHigh = static_cast<scn::Float64>(std::numeric_limits<scn::Int32>::max());
    if (!(*p >= kLow && *p <= kHigh)) return false;
    *out = static_cast<scn::Int32>(*p);
  } else {
    return false;
  }
  return true;
}

bool IsPort(scn::Int32 port) {
  return port >= kMinPort && port <= kMaxPort;
}

bool ToFilename(const scn::Value& v, scn::Filename* out) {
  if (auto p = std::get_if<scn::Filename>(&v)) {
    *out = *p;
  } else if (auto p = std::get_if<scn::String>(&v)) {
    *out = scn::Filename(*p);
  } else {
    return false;
  }
  return true;
}

// A value of the wrong kind is refused rather than stored as a made-up default. Under the settings
// lock: the reader thread reads the data folder while the page writes it.
bool StorePreference(scn::Container& prefs, scn::Int32 id, const scn::Value& data) {
  scn::Int32 number = 0;
  scn::Filename file;
  scn::WorldSettingsLock lock;
  switch (id) {
    case PrefPort:
      if (!ToInt32(data, &number) || !IsPort(number)) {
        scn::DiagnosticOutput("preferences: the server port takes " + std::to_string(kMinPort) + " to " +
                              std::to_string(kMaxPort) + "; the value was refused");
        return false;
      }
      prefs.SetInt32(PrefPort, number);
      return true;
    case PrefCustomIp:
      if (!std::holds_alternative<scn::String>(data)) return false;
      prefs.SetString(PrefCustomIp, std::get<scn::String>(data));
      return true;
    case PrefUseCustomIp:
      if (!ToInt32(data, &number)) return false;
      prefs.SetBool(PrefUseCustomIp, number != 0);
      return true;
    case PrefDataFolder:
      if (!ToFilename(data, &file)) return false;
      prefs.SetFilename(PrefDataFolder, file);
      return true;
  }
  return false;
}

bool IsPreferenceId(scn::Int32 id) {
  return id >= PrefPort && id <= PrefDataFolder;
}

// A copy of the data folder, taken under the settings lock: any thread. The preferences container is
// not made here, as another thread must not write the settings; without it there is no data folder.
scn::Filename DataFolder() {
  scn::WorldSettingsLock lock;
  scn::Container* world = scn::GetWorldSettings();
  scn::Container* prefs = world ? world->GetContainerInstance(kPrefsContainerId) : nullptr;
  return prefs ? prefs->GetFilename(PrefDataFolder) : scn::Filename();
}

// The data folder joined with name, made when missing; empty when the data folder does not exist.
scn::Filename DataSubFolder(const char* name) {
  scn::Filename result;
  const scn::Filename dataFolder = DataFolder();
  if (dataFolder.IsEmpty() || !scn::FileExists(dataFolder, true)) return result;
  result = dataFolder + scn::Filename(name);
  if (!scn::FileExists(result, true)) scn::CreateFolder(result);
  return result;
}

}  // namespace

scn::NodeData* ARPreferences::AllocARPreferences() {
  return scn::NewObj<ARPreferences>("preferences.h", __LINE__);
}

scn::Bool ARPreferences::InitNodeData(scn::SceneNode*) {
  for (scn::Int32 id : kPreferenceIds) InitPageValues(id, nullptr);
  return true;
}

scn::Bool ARPreferences::BuildDescription(scn::SceneNode* node, scn::Description* desc, scn::Int32& flags) {
  if (!scn::ReadDescriptionResource(desc, "arprefs")) return false;
  if (flags & scn::kDescInitDefaults)
    for (scn::Int32 id : kPreferenceIds) InitPageValues(id, desc);
  flags |= scn::kDescLoaded;
  return PrefsPageData::BuildDescription(node, desc, flags);
}

scn::Bool ARPreferences::ReadParameterHook(scn::SceneNode* node, scn::Int32 id, scn::Value& out,
                                           scn::Int32& flags) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs || !IsPreferenceId(id)) return PrefsPageData::ReadParameterHook(node, id, out, flags);
  switch (id) {
    case PrefPort:
      out = prefs->GetInt32(PrefPort, 0);
      break;
    case PrefCustomIp:
      out = prefs->GetString(PrefCustomIp);
      break;
    case PrefUseCustomIp:
      out = scn::Int32(prefs->GetBool(PrefUseCustomIp, false) ? 1 : 0);
      break;
    case PrefDataFolder:
      out = prefs->GetFilename(PrefDataFolder);
      break;
  }
  flags |= scn::kParamSet;
  return true;
}

scn::Bool ARPreferences::WriteParameterHook(scn::SceneNode* node, scn::Int32 id, const scn::Value& data,
                                            scn::Int32& flags) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs || !IsPreferenceId(id)) return PrefsPageData::WriteParameterHook(node, id, data, flags);
  if (!StorePreference(*prefs, id, data)) return false;
  flags |= scn::kParamSet;
  return true;
}

scn::Bool ARPreferences::IsParameterEnabled(scn::SceneNode* node, scn::Int32 id,
                                            const scn::Container& itemDesc) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs || id != PrefCustomIp) return PrefsPageData::IsParameterEnabled(node, id, itemDesc);
  return prefs->GetBool(PrefUseCustomIp, false);
}

scn::Bool ARPreferences::InitPageValues(scn::Int32 id, scn::Description* desc) {
  scn::Container* prefs = GetPreferencesContainer();
  if (!prefs) return false;
  switch (id) {
    case PrefPort:
      InitPreferenceValue(id, scn::Int32(kDefaultPort), desc, prefs);
      break;
    case PrefCustomIp:
      InitPreferenceValue(id, scn::String(), desc, prefs);
      break;
    case PrefUseCustomIp:
      // A Bool, the type the page stores: a default of another type would reset the user's choice.
      InitPreferenceValue(id, scn::Bool(true), desc, prefs);
      break;
    case PrefDataFolder:
      InitPreferenceValue(id, scn::Filename(), desc, prefs);
      break;
  }
  return true;
}

void InitPreferenceValue(scn::Int32 id, const scn::Value& defaultValue, scn::Description* desc,
                         scn::Container* prefs) {
  if (desc) {
    if (scn::Container* entry = scn::GetDescriptionEntry(desc, id))
      entry->Set(scn::kDescDefault, defaultValue);
    return;
  }
  if (!prefs) return;
  scn::WorldSettingsLock lock;
  if (prefs->GetType(id) != scn::TypeOf(defaultValue)) prefs->Set(id, defaultValue);
}

scn::Container* GetPreferencesContainer() {
  scn::Container* world = scn::GetWorldSettings();
  if (!world) return nullptr;
  if (scn::Container* prefs = world->GetContainerInstance(kPrefsContainerId)) return prefs;
  scn::WorldSettingsLock lock;
  world->SetContainer(kPrefsContainerId, scn::Container());
  return world->GetContainerInstance(kPrefsContainerId);
}

scn::Filename GetCapturesFolder() {
  return DataSubFolder("captures");
}
scn::Filename GetArModelsFolder() {
  return DataSubFolder("armodels");
}

bool RegisterARPreferences() {
  return scn::RegisterPreferencePage(kARPreferencesPageId, ARPreferences::AllocARPreferences,
                                     scn::LoadResourceString(10004), "arprefs", 10000070);
}
