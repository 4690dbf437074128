#include "scn/api.h"

#include <cstdio>

namespace scn {
namespace {
const HostTables* g_tables = nullptr;

const CoreTable& Core() { return *g_tables->core; }
const FileTable& Files() { return *g_tables->file; }
const RecordTable& Records() { return *g_tables->record; }
const RegistryTable& Registry() { return *g_tables->registry; }
const UiTable& Ui() { return *g_tables->ui; }

template <typename Lib>
const Lib* Library(Int32 id) {
  return static_cast<const Lib*>(FindLibrary(id));
}
}  // namespace

Bool SetHostTables(const HostTables* tables) {
  if (!tables || tables->version < kHostApiVersion || !tables->core || !tables->file || !tables->record ||
      !tables->registry || !tables->ui || !tables->scene || !tables->bitmap || !tables->thread ||
      !tables->net)
    return false;
  g_tables = tables;
  return true;
}
const HostTables* GetHostTables() { return g_tables; }

void DiagnosticOutput(const String& text) { Core().DiagnosticOutput(text.c_str()); }
void ReportOutOfMemory(const char* file, Int32 line) {
  char text[512];
  std::snprintf(text, sizeof text, "Out of memory (%s:%d)", file ? file : "?", static_cast<int>(line));
  Core().DiagnosticOutput(text);
}

void* MemAlloc(std::size_t size, const char* site, Int32 line, Bool clear) {
  return Core().MemAlloc(size, site, line, clear);
}
void MemFree(void* p) { Core().MemFree(p); }
void MemDeleteWith(void* p, Deleter deleter) { Core().MemDeleteWith(p, deleter); }

const void* FindLibrary(Int32 id) { return Core().FindLibrary(id); }
Filename GetPluginFolder() { return Core().GetPluginFolder(); }
Filename GetPluginResourceFolder() { return Core().GetPluginResourceFolder(); }
Bool InitPluginResource() { return Core().InitPluginResource(); }
String LoadResourceString(Int32 id) { return Core().LoadResourceString(id); }
Bitmap* LoadIconBitmap(const String& name) { return Core().LoadIconBitmap(name); }

Bool StringToInt32(const char* text, std::size_t length, Int32* out) {
  return Core().StringToInt32(text, length, out);
}
Bool StringToFloat64(const char* text, std::size_t length, Float64* out) {
  return Core().StringToFloat64(text, length, out);
}

void SetStatusText(const String& text) { Core().SetStatusText(text); }
void SetStatusProgress(Int32 percent) { Core().SetStatusProgress(percent); }
void ClearStatus() { Core().ClearStatus(); }

HostFile* AllocateFile() { return Files().AllocateFile(); }
void FreeFile(HostFile*& f) {
  if (!f) return;
  Files().FreeFile(f);
  f = nullptr;
}
Bool OpenFile(HostFile* f, const Filename& name, FileMode mode, ByteOrder order, Int32 type, Int32 creator) {
  return f && Files().OpenFile(f, name, mode, order, type, creator);
}
Bool CloseFile(HostFile* f) { return f && Files().CloseFile(f); }
Int32 GetFileError(HostFile* f) { return f ? Files().GetFileError(f) : -1; }
Bool ReadFileBytes(HostFile* f, void* data, Int64 size) { return Files().ReadBytes(f, data, size); }
Bool WriteFileBytes(HostFile* f, const void* data, Int64 size) { return Files().WriteBytes(f, data, size); }
Bool ReadFileByte(HostFile* f, Int32* v) {
  unsigned char b = 0;
  if (!Files().ReadBytes(f, &b, 1)) return false;
  *v = b;
  return true;
}
Bool WriteFileByte(HostFile* f, Int32 v) {
  const unsigned char b = static_cast<unsigned char>(v);
  return Files().WriteBytes(f, &b, 1);
}
Bool ReadFileInt32(HostFile* f, Int32* v) { return Files().ReadInt32(f, v); }
Bool WriteFileInt32(HostFile* f, Int32 v) { return Files().WriteInt32(f, v); }
Bool ReadFileFloat32(HostFile* f, Float32* v) { return Files().ReadFloat32(f, v); }
Bool WriteFileFloat32(HostFile* f, Float32 v) { return Files().WriteFloat32(f, v); }
Bool ReadFileFloat64(HostFile* f, Float64* v) { return Files().ReadFloat64(f, v); }
Bool WriteFileFloat64(HostFile* f, Float64 v) { return Files().WriteFloat64(f, v); }
Bool ReadFileString(HostFile* f, String* v) { return Files().ReadString(f, v); }
Bool WriteFileString(HostFile* f, const String& v) { return Files().WriteString(f, v); }
Int64 GetFileSize(HostFile* f) { return Files().GetFileSize(f); }
Bool FileExists(const Filename& name, Bool isDirectory) { return Files().FileExists(name, isDirectory); }
Bool CreateFolder(const Filename& name) { return Files().CreateFolder(name); }
Bool CopyFile(const Filename& src, const Filename& dest) { return Files().CopyFile(src, dest); }
FolderBrowser* OpenFolderBrowser(const Filename& folder) { return Files().OpenFolderBrowser(folder); }
Bool BrowseNext(FolderBrowser* b, Filename* name, Bool* isDirectory) {
  return b && Files().BrowseNext(b, name, isDirectory);
}
void CloseFolderBrowser(FolderBrowser*& b) {
  if (!b) return;
  Files().CloseFolderBrowser(b);
  b = nullptr;
}

Bool ReadRecordInt32(RecordFile* rf, Int32* v) { return Records().ReadInt32(rf, v); }
Bool WriteRecordInt32(RecordFile* rf, Int32 v) { return Records().WriteInt32(rf, v); }
Bool ReadRecordBool(RecordFile* rf, Bool* v) { return Records().ReadBool(rf, v); }
Bool WriteRecordBool(RecordFile* rf, Bool v) { return Records().WriteBool(rf, v); }
Bool ReadRecordFloat32(RecordFile* rf, Float32* v) { return Records().ReadFloat32(rf, v); }
Bool WriteRecordFloat32(RecordFile* rf, Float32 v) { return Records().WriteFloat32(rf, v); }
Bool ReadRecordFloat64(RecordFile* rf, Float64* v) { return Records().ReadFloat64(rf, v); }
Bool WriteRecordFloat64(RecordFile* rf, Float64 v) { return Records().WriteFloat64(rf, v); }
Bool ReadRecordVector(RecordFile* rf, Vector* v) { return Records().ReadVector(rf, v); }
Bool WriteRecordVector(RecordFile* rf, const Vector& v) { return Records().WriteVector(rf, v); }
Bool ReadRecordMatrix(RecordFile* rf, Matrix* v) { return Records().ReadMatrix(rf, v); }
Bool WriteRecordMatrix(RecordFile* rf, const Matrix& v) { return Records().WriteMatrix(rf, v); }
Bool ReadRecordString(RecordFile* rf, String* v) { return Records().ReadString(rf, v); }
Bool WriteRecordString(RecordFile* rf, const String& v) { return Records().WriteString(rf, v); }
Bool ReadRecordFilename(RecordFile* rf, Filename* v) { return Records().ReadFilename(rf, v); }
Bool WriteRecordFilename(RecordFile* rf, const Filename& v) { return Records().WriteFilename(rf, v); }

Bool RegisterObjectType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc, const String& description,
                        const Bitmap* icon, Int32 diskLevel) {
  return Registry().RegisterObjectType(id, name, flags, alloc, description, icon, diskLevel);
}
Bool RegisterTagType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc, const String& description,
                     const Bitmap* icon, Int32 diskLevel) {
  return Registry().RegisterTagType(id, name, flags, alloc, description, icon, diskLevel);
}
Bool RegisterShaderType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc, const String& description,
                        Int32 diskLevel) {
  return Registry().RegisterShaderType(id, name, flags, alloc, description, diskLevel);
}
Bool RegisterCommandType(Int32 id, const String& name, Int32 flags, const Bitmap* icon, const String& help,
                         CommandData* command) {
  return Registry().RegisterCommandType(id, name, flags, icon, help, command);
}
Bool RegisterMessagePlugin(Int32 id, const String& name, Int32 flags, MessageData* data) {
  return Registry().RegisterMessagePlugin(id, name, flags, data);
}
Bool RegisterPreferencePage(Int32 id, NodeAllocator alloc, const String& name, const String& description,
                            Int32 sortValue) {
  auto lib = Library<PreferencesLibrary>(kLibPreferences);
  return lib && lib->RegisterPreferencePage(id, alloc, name, description, sortValue);
}
Bool RunCommand(Int32 id, Int32 subId) { return Registry().RunCommand(id, subId); }

Bool OpenDialog(HostDialog* dialog, Int32 mode, Int32 pluginId, Int32 x, Int32 y, Int32 w, Int32 h) {
  return dialog && Ui().OpenDialog(dialog, mode, pluginId, x, y, w, h);
}
Bool RestoreDialogWindow(HostDialog* dialog, Int32 pluginId, Int32 subId, void* layoutData) {
  return dialog && Ui().RestoreDialogWindow(dialog, pluginId, subId, layoutData);
}
void ShowNotice(const String& text) { Ui().ShowNotice(text); }
Bool SetHtmlViewerUrl(CustomGadget* gadget, const String& url) {
  auto lib = Library<HtmlViewerLibrary>(kLibHtmlViewer);
  return gadget && lib && lib->SetUrl(gadget, url);
}

Bool ReadDescriptionResource(Description* desc, const String& name) {
  auto lib = Library<DescriptionLibrary>(kLibDescriptions);
  return desc && lib && lib->ReadDescriptionResource(desc, name);
}
Container* GetDescriptionEntry(Description* desc, Int32 id) {
  auto lib = Library<DescriptionLibrary>(kLibDescriptions);
  return desc && lib ? lib->GetDescriptionEntry(desc, id) : nullptr;
}
Container* GetWorldSettings() {
  auto lib = Library<PreferencesLibrary>(kLibPreferences);
  return lib ? lib->GetWorldSettings() : nullptr;
}

WorldSettingsLock::WorldSettingsLock() : lib_(Library<PreferencesLibrary>(kLibPreferences)) {
  if (lib_) lib_->LockWorldSettings();
}
WorldSettingsLock::~WorldSettingsLock() {
  if (lib_) lib_->UnlockWorldSettings();
}

}  // namespace scn
