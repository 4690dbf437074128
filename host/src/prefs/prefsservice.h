// World settings, saved in the host's settings file, and the preference pages of plug-ins.
#pragma once

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "resources/description.h"
#include "scn/container.h"
#include "scn/handles.h"
#include "scn/tables.h"

namespace host {

class Host;

class PrefsService {
 public:
  // Loads the settings file: a missing one gives empty settings; an unreadable or corrupt one is reported
  // to diagnostics and ignored (a corrupt one is moved aside to "<file>.corrupt" first).
  PrefsService(Host& host, std::filesystem::path settingsFile);
  ~PrefsService();

  static void FillLibrary(scn::PreferencesLibrary& lib);

  scn::Container& WorldSettings() { return world_; }
  // The settings lock of the preferences library; any thread, recursive.
  void LockSettings();
  // False (nothing released) when the calling thread does not hold the lock.
  bool UnlockSettings();
  bool HoldsSettingsLock() const { return owner_.load() == std::this_thread::get_id(); }
  // Writes the world settings to the settings file (atomically); true without a file; a failure is
  // reported to diagnostics.
  bool Save();

  // Preference pages as the host's preferences window runs them; main thread.
  //
  // Opens the registered page: its node (InitNodeData runs), then BuildDescription with a fresh
  // description and kDescInitDefaults. The open page's node; null when no such page is registered or its
  // node or description cannot be made. Opening an open page gives its node again.
  scn::SceneNode* OpenPage(scn::Int32 pageId);
  // The page's value through ReadParameterHook, else from the node's container; empty when the page is
  // not open or the hook fails.
  scn::Value GetPageValue(scn::Int32 pageId, scn::Int32 paramId);
  // Through WriteParameterHook, else into the node's container; false when the page is not open, the
  // hook fails, or a number lies outside the limits (min, max) of the parameter's description, which
  // the preferences window's field would not let through.
  bool SetPageValue(scn::Int32 pageId, scn::Int32 paramId, scn::Value value);
  // IsParameterEnabled with the parameter's description entry (empty when it has none).
  bool IsPageParameterEnabled(scn::Int32 pageId, scn::Int32 paramId);
  // The open page's description; null when the page is not open.
  const scn::Description* PageDescription(scn::Int32 pageId) const;
  // Frees the page's node; nothing when it is not open.
  void ClosePage(scn::Int32 pageId);
  // Before the registry is cleared: page nodes run plug-in code.
  void CloseAllPages();

 private:
  struct Page {
    scn::SceneNode* node = nullptr;
    std::unique_ptr<scn::Description> description;
  };
  Page* FindOpenPage(scn::Int32 pageId, const char* call);
  static bool WithinLimits(const Page& page, scn::Int32 paramId, const scn::Value& value);
  void Load();

  Host& host_;
  std::filesystem::path file_;
  scn::Container world_;
  std::recursive_mutex settingsLock_;
  std::atomic<std::thread::id> owner_{};
  int lockDepth_ = 0;  // taken by the owner, under settingsLock_
  std::map<scn::Int32, Page> pages_;
};

}  // namespace host
