// The plug-in's resources: string table, descriptions, icons.
#pragma once

#include <map>
#include <string>

#include "scn/tables.h"

namespace host {

class Host;

class ResourceService {
 public:
  explicit ResourceService(Host& host) : host_(host) {}

  static void FillDescriptionLibrary(scn::DescriptionLibrary& lib);

  // Reads the string table of the plug-in's resource folder; false when missing or malformed.
  bool LoadStrings();
  // Empty for an unknown number.
  std::string String(int id) const;
  // An icon of the resource folder; null when missing or unreadable.
  scn::Bitmap* LoadIcon(const std::string& name);

 private:
  Host& host_;
  std::map<int, std::string> strings_;
};

}  // namespace host
