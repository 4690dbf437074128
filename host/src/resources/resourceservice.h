// The plug-in's resources: string table, descriptions, icons, read from the resource folder
// (Host::ResourceFolder()) in the formats of resource/README.md.
#pragma once

#include <shared_mutex>
#include <string>

#include "resources/description.h"
#include "resources/stringtable.h"
#include "scn/tables.h"

namespace host {

class Host;

class ResourceService {
 public:
  explicit ResourceService(Host& host) : host_(host) {}

  static void FillDescriptionLibrary(scn::DescriptionLibrary& lib);

  // Reads "strings/strings.txt"; false when missing or malformed (reported to diagnostics), and then the
  // table loaded before stays as it was.
  bool LoadStrings();
  // Any thread; empty for an unknown number.
  std::string String(int id) const;
  // Adds the entries of "descriptions/<name>.desc" to desc (an entry of the same id is replaced); false,
  // with desc unchanged, when the resource is missing or malformed.
  bool ReadDescription(scn::Description* desc, const std::string& name);
  // A new bitmap of "icons/<name>" (the caller frees it); null when missing or unreadable.
  scn::Bitmap* LoadIcon(const std::string& name);

 private:
  Host& host_;
  mutable std::shared_mutex mutex_;
  StringTable strings_;
};

}  // namespace host
