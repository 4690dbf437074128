#include "module/pluginmodule.h"

#include <dlfcn.h>

#include <algorithm>
#include <vector>

#include "core/host.h"
#include "registry/registry.h"

namespace host {

std::unique_ptr<PluginModule> PluginModule::Load(Host& host, const std::filesystem::path& folder,
                                                 std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    *error = "plug-in folder not found: " + folder.string();
    return nullptr;
  }
  std::vector<std::filesystem::path> modules;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".so") modules.push_back(entry.path());
  if (modules.empty()) {
    *error = "no plug-in module (.so) in " + folder.string();
    return nullptr;
  }
  std::sort(modules.begin(), modules.end());
  const auto path = modules.front();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    *error = "cannot load " + path.string() + ": " + dlerror();
    return nullptr;
  }
  auto entry = reinterpret_cast<Entry>(dlsym(handle, "scn_main"));
  if (!entry) {
    *error = path.string() + " exports no scn_main";
    dlclose(handle);
    return nullptr;
  }
  host.SetPluginFolder(folder);
  return std::unique_ptr<PluginModule>(new PluginModule(host, handle, entry, path, folder));
}

PluginModule::PluginModule(Host& host, void* handle, Entry entry, std::filesystem::path path,
                           std::filesystem::path folder)
    : host_(host), handle_(handle), entry_(entry), path_(std::move(path)), folder_(std::move(folder)),
      folderText_(folder_.string()) {}

PluginModule::~PluginModule() {
  // The host's copies of plug-in objects must go while the module's code is still mapped.
  host_.registry().Clear();
  dlclose(handle_);
}

scn::Int32 PluginModule::Call(scn::Int32 action, void* p1, void* p2, void* p3) {
  return entry_(action, p1, p2, p3);
}

scn::Int32 PluginModule::Init() {
  return Call(kInit, const_cast<scn::HostTables*>(host_.Tables()), nullptr, folderText_.data());
}

bool PluginModule::Start() {
  host_.registry().SetStarting(true);
  const scn::Int32 result = Call(kStart, nullptr, nullptr, nullptr);
  host_.registry().SetStarting(false);
  return result == 1;
}

scn::Int32 PluginModule::End() { return Call(kEnd, nullptr, nullptr, nullptr); }

scn::Int32 PluginModule::Message(scn::Int32 id, void* data) {
  return Call(kMessage, reinterpret_cast<void*>(static_cast<std::intptr_t>(id)), data, nullptr);
}

}  // namespace host
