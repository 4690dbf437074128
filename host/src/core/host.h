// The stand-in host: owns every service and the function tables handed to plug-ins.
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "core/diagnostics.h"
#include "core/memory.h"
#include "core/statusbar.h"
#include "scn/tables.h"
#include "scn/tables_animation.h"
#include "scn/tables_bitmap.h"
#include "scn/tables_net.h"
#include "scn/tables_thread.h"

namespace host {

class ResourceService;
class PrefsService;
class Registry;
class UiService;
class SceneService;
class ThreadService;
class NetService;

class Host {
 public:
  struct Options {
    // The host's own settings file (world settings and preferences); empty keeps them in memory only.
    std::filesystem::path settingsFile;
    bool echoDiagnostics = false;
  };

  explicit Host(Options options);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The host the table entries act on; one at a time per process.
  static Host* Current();

  const scn::HostTables* Tables() const { return &tables_; }

  Diagnostics& diagnostics() { return diagnostics_; }
  Memory& memory() { return memory_; }
  StatusBar& status() { return status_; }
  ResourceService& resources() { return *resources_; }
  PrefsService& prefs() { return *prefs_; }
  Registry& registry() { return *registry_; }
  UiService& ui() { return *ui_; }
  SceneService& scene() { return *scene_; }
  ThreadService& threads() { return *threads_; }
  NetService& net() { return *net_; }

  // Reports "plug-in misbehaving: <call>" unless called on the main thread (the host's creator).
  bool CheckMainThread(const char* call);
  bool IsMainThread() const { return std::this_thread::get_id() == mainThread_; }

  // Test hooks: libraries that FindLibrary does not find.
  void SetLibraryMissing(scn::Int32 id, bool missing);
  const void* FindLibrary(scn::Int32 id);

  // The plug-in folder of the loaded module; the resource folder is its "res".
  void SetPluginFolder(const std::filesystem::path& folder);
  const std::filesystem::path& PluginFolder() const { return pluginFolder_; }
  std::filesystem::path ResourceFolder() const { return pluginFolder_ / "res"; }

  // Writes world settings to the settings file.
  bool SaveSettings();

 private:
  void FillCoreTable();

  Options options_;
  std::thread::id mainThread_;
  Diagnostics diagnostics_;
  Memory memory_;
  StatusBar status_;
  std::unique_ptr<ResourceService> resources_;
  std::unique_ptr<PrefsService> prefs_;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<UiService> ui_;
  std::unique_ptr<SceneService> scene_;
  std::unique_ptr<ThreadService> threads_;
  std::unique_ptr<NetService> net_;
  std::set<scn::Int32> missingLibraries_;
  std::filesystem::path pluginFolder_;

  scn::CoreTable core_{};
  scn::FileTable file_{};
  scn::RecordTable record_{};
  scn::RegistryTable registryTable_{};
  scn::UiTable uiTable_{};
  scn::BitmapTable bitmap_{};
  scn::ThreadTable threadTable_{};
  scn::NetTable netTable_{};
  scn::DescriptionLibrary descriptionLib_{};
  scn::PreferencesLibrary preferencesLib_{};
  scn::HtmlViewerLibrary htmlViewerLib_{};
  scn::AnimationTable animation_{};
  scn::CharacterAnimationLibrary characterAnimationLib_{};
  scn::HostTables tables_{};
};

}  // namespace host
