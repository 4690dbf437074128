#include "core/host.h"

#include <charconv>
#include <cstdlib>

#include "animation/animationentries.h"
#include "bitmaps/bitmapservice.h"
#include "files/fileservice.h"
#include "files/recordfile.h"
#include "net/netservice.h"
#include "prefs/prefsservice.h"
#include "registry/registry.h"
#include "resources/resourceservice.h"
#include "scene/sceneservice.h"
#include "threads/threadservice.h"
#include "ui/uiservice.h"

namespace host {
namespace {
Host* g_current = nullptr;

Host& H() {
  return *Host::Current();
}

bool ParseInt(const char* text, std::size_t length, scn::Int32* out) {
  const char* end = text + length;
  while (text < end && (*text == ' ' || *text == '\t')) ++text;
  if (text < end && *text == '+') ++text;
  auto [ptr, ec] = std::from_chars(text, end, *out);
  return ec == std::errc() && ptr == end && length > 0;
}

bool ParseFloat(const char* text, std::size_t length, scn::Float64* out) {
  const char* end = text + length;
  while (text < end && (*text == ' ' || *text == '\t')) ++text;
  if (text < end && *text == '+') ++text;
  if (text == end) return false;
  auto [ptr, ec] = std::from_chars(text, end, *out);
  return ec == std::errc() && ptr == end;
}
}  // namespace

Host* Host::Current() {
  return g_current;
}

Host::Host(Options options)
    : options_(std::move(options)), mainThread_(std::this_thread::get_id()), memory_(diagnostics_) {
  diagnostics_.SetEcho(options_.echoDiagnostics);
  resources_ = std::make_unique<ResourceService>(*this);
  prefs_ = std::make_unique<PrefsService>(*this, options_.settingsFile);
  registry_ = std::make_unique<Registry>(*this);
  ui_ = std::make_unique<UiService>(*this);
  scene_ = std::make_unique<SceneService>(*this);
  threads_ = std::make_unique<ThreadService>(*this);
  net_ = std::make_unique<NetService>(*this);
  g_current = this;

  FillCoreTable();
  FileService::FillTable(file_);
  RecordFile::FillTable(record_);
  Registry::FillTable(registryTable_);
  UiService::FillTable(uiTable_);
  UiService::FillHtmlViewerLibrary(htmlViewerLib_);
  BitmapService::FillTable(bitmap_);
  ThreadService::FillTable(threadTable_);
  NetService::FillTable(netTable_);
  ResourceService::FillDescriptionLibrary(descriptionLib_);
  PrefsService::FillLibrary(preferencesLib_);
  FillTrackEntries(animation_);
  FillGraphEntries(animation_);
  FillCharacterAnimationLibrary(characterAnimationLib_);

  tables_.version = scn::kHostApiVersion;
  tables_.core = &core_;
  tables_.file = &file_;
  tables_.record = &record_;
  tables_.registry = &registryTable_;
  tables_.ui = &uiTable_;
  tables_.bitmap = &bitmap_;
  tables_.scene = scene_->Table();
  tables_.thread = &threadTable_;
  tables_.net = &netTable_;
  tables_.animation = &animation_;
}

Host::~Host() {
  // Plug-in objects go before the services they call.
  prefs_->CloseAllPages();
  ui_->CloseAll();
  scene_.reset();
  registry_->Clear();
  threads_.reset();
  net_.reset();
  SaveSettings();
  if (g_current == this) g_current = nullptr;
}

bool Host::CheckMainThread(const char* call) {
  if (IsMainThread()) return true;
  diagnostics_.ReportMisbehaviour(std::string(call) + " called off the main thread");
  return false;
}

void Host::SetLibraryMissing(scn::Int32 id, bool missing) {
  if (missing)
    missingLibraries_.insert(id);
  else
    missingLibraries_.erase(id);
}

const void* Host::FindLibrary(scn::Int32 id) {
  if (missingLibraries_.count(id)) return nullptr;
  switch (id) {
    case scn::kLibDescriptions:
      return &descriptionLib_;
    case scn::kLibPreferences:
      return &preferencesLib_;
    case scn::kLibHtmlViewer:
      return &htmlViewerLib_;
    case scn::kLibCharacterAnimation:
      return &characterAnimationLib_;
    default:
      return nullptr;
  }
}

void Host::SetPluginFolder(const std::filesystem::path& folder) {
  pluginFolder_ = folder;
}

bool Host::SaveSettings() {
  return prefs_->Save();
}

void Host::FillCoreTable() {
  core_.DiagnosticOutput = [](const char* text) { H().diagnostics().Output(text ? text : ""); };
  core_.MemAlloc = [](std::size_t size, const char* site, scn::Int32 line, scn::Bool clear) {
    return H().memory().Alloc(size, site, line, clear);
  };
  core_.MemFree = [](void* p) { H().memory().Free(p); };
  core_.MemDeleteWith = [](void* p, scn::Deleter deleter) {
    H().CheckMainThread("MemDeleteWith");
    if (p && deleter) deleter(p);
  };
  core_.FindLibrary = [](scn::Int32 id) { return H().FindLibrary(id); };
  core_.GetPluginFolder = [] { return scn::Filename(H().PluginFolder().string()); };
  core_.GetPluginResourceFolder = [] { return scn::Filename(H().ResourceFolder().string()); };
  core_.InitPluginResource = [] {
    H().CheckMainThread("InitPluginResource");
    return scn::Bool(H().resources().LoadStrings());
  };
  core_.LoadResourceString = [](scn::Int32 id) { return H().resources().String(id); };
  core_.LoadIconBitmap = [](const scn::String& name) {
    H().CheckMainThread("LoadIconBitmap");
    return H().resources().LoadIcon(name);
  };
  core_.StringToInt32 = [](const char* t, std::size_t n, scn::Int32* out) {
    return scn::Bool(ParseInt(t, n, out));
  };
  core_.StringToFloat64 = [](const char* t, std::size_t n, scn::Float64* out) {
    return scn::Bool(ParseFloat(t, n, out));
  };
  core_.SetStatusText = [](const scn::String& text) { H().status().SetText(text); };
  core_.SetStatusProgress = [](scn::Int32 percent) { H().status().SetProgress(percent); };
  core_.ClearStatus = [] { H().status().Clear(); };
}

}  // namespace host
