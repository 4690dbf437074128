#include "resources/resourceservice.h"

namespace host {

void ResourceService::FillDescriptionLibrary(scn::DescriptionLibrary&) {}
bool ResourceService::LoadStrings() { return false; }
std::string ResourceService::String(int id) const {
  auto it = strings_.find(id);
  return it == strings_.end() ? std::string() : it->second;
}
scn::Bitmap* ResourceService::LoadIcon(const std::string&) { return nullptr; }

}  // namespace host
