// Reading and writing the host's settings file (format: prefs/settingscodec.h).
#pragma once

#include <filesystem>
#include <string>

#include "scn/container.h"

namespace host {

enum class SettingsLoad { Loaded, Missing, Unreadable, Corrupt };

// *out is only written when Loaded; *error tells why otherwise.
SettingsLoad LoadSettingsFile(const std::filesystem::path& path, scn::Container* out, std::string* error);

// Writes a temporary file beside the target, flushes it to disk and renames it over the target, so the
// target always holds either the old or the new settings. Creates missing parent folders.
bool SaveSettingsFile(const std::filesystem::path& path, const scn::Container& settings, std::string* error);

}  // namespace host
