// A plug-in module loaded from its plug-in folder, entered through scn_main.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "scn/types.h"

namespace host {

class Host;

class PluginModule {
 public:
  // Action codes of scn_main.
  enum Action : scn::Int32 { kInit = 1, kStart = 2, kEnd = 3, kQuery = 4, kMessage = 6 };
  using Entry = scn::Int32 (*)(scn::Int32 action, void* p1, void* p2, void* p3);

  // Loads the first ".so" module of the folder; null with a message in *error.
  static std::unique_ptr<PluginModule> Load(Host& host, const std::filesystem::path& folder, std::string* error);
  ~PluginModule();

  // The raw entry, for tests of its answers.
  scn::Int32 Call(scn::Int32 action, void* p1, void* p2, void* p3);

  // Action 1 with the host's tables and the folder; 1 on success.
  scn::Int32 Init();
  // Action 2; true when the plug-in started.
  bool Start();
  // Action 3.
  scn::Int32 End();
  scn::Int32 Message(scn::Int32 id, void* data);

  const std::filesystem::path& Path() const { return path_; }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  PluginModule(Host& host, void* handle, Entry entry, std::filesystem::path path, std::filesystem::path folder);

  Host& host_;
  void* handle_;
  Entry entry_;
  std::filesystem::path path_;
  std::filesystem::path folder_;
  std::string folderText_;
};

}  // namespace host
