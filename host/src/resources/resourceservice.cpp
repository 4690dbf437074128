#include "resources/resourceservice.h"

#include <fstream>
#include <mutex>
#include <sstream>

#include "bitmaps/bitmapservice.h"
#include "core/host.h"
#include "resources/descriptionparser.h"

namespace host {
namespace {

// False when the path is no readable file.
bool ReadWholeFile(const std::filesystem::path& path, std::string* out) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *out = s.str();
  return !in.bad();
}

// A resource name is one file name: no folder parts, so it cannot reach out of the resource folder.
bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

}  // namespace

bool ResourceService::LoadStrings() {
  const auto path = host_.ResourceFolder() / "strings" / "strings.txt";
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    host_.diagnostics().Output("string table missing: " + path.string());
    return false;
  }
  StringTable table;
  std::string error;
  if (!ParseStringTable(text, &table, &error)) {
    host_.diagnostics().Output("string table " + path.string() + " malformed: " + error);
    return false;
  }
  std::unique_lock lock(mutex_);
  strings_ = std::move(table);
  return true;
}

std::string ResourceService::String(int id) const {
  std::shared_lock lock(mutex_);
  auto it = strings_.find(id);
  return it == strings_.end() ? std::string() : it->second;
}

bool ResourceService::ReadDescription(scn::Description* desc, const std::string& name) {
  if (!IsPlainName(name)) {
    host_.diagnostics().Output("description resource name refused: '" + name + "'");
    return false;
  }
  const auto path = host_.ResourceFolder() / "descriptions" / (name + ".desc");
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    host_.diagnostics().Output("description resource missing: " + path.string());
    return false;
  }
  scn::Description loaded;
  std::string error;
  if (!ParseDescription(
          text, [this](scn::Int32 id) { return String(id); }, &loaded, &error)) {
    host_.diagnostics().Output("description resource " + path.string() + " malformed: " + error);
    return false;
  }
  for (scn::Int32 id : loaded.order) {
    if (!desc->entries.count(id)) desc->order.push_back(id);
    desc->entries[id] = std::move(loaded.entries[id]);
  }
  return true;
}

scn::Bitmap* ResourceService::LoadIcon(const std::string& name) {
  if (!IsPlainName(name)) {
    host_.diagnostics().Output("icon name refused: '" + name + "'");
    return nullptr;
  }
  const auto path = host_.ResourceFolder() / "icons" / name;
  scn::Bitmap* icon = BitmapService::LoadFile(path);
  if (!icon) host_.diagnostics().Output("icon missing or unreadable: " + path.string());
  return icon;
}

void ResourceService::FillDescriptionLibrary(scn::DescriptionLibrary& lib) {
  lib.ReadDescriptionResource = [](scn::Description* desc, const scn::String& name) {
    Host* h = Host::Current();
    h->CheckMainThread("ReadDescriptionResource");
    return scn::Bool(desc && h->resources().ReadDescription(desc, name));
  };
  lib.GetDescriptionEntry = [](scn::Description* desc, scn::Int32 id) -> scn::Container* {
    Host::Current()->CheckMainThread("GetDescriptionEntry");
    return desc ? desc->Find(id) : nullptr;
  };
}

}  // namespace host
