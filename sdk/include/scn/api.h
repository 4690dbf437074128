// Free functions of the host interface, named as plug-in code calls them. Each forwards through the
// tables handed to scn_main.
#pragma once

#include <new>
#include <utility>

#include "scn/tables.h"

namespace scn {

// Called by the module's entry on action 1; null, a version below kHostApiVersion or a missing table is
// refused.
Bool SetHostTables(const HostTables* tables);
const HostTables* GetHostTables();

void DiagnosticOutput(const String& text);
// Writes the host's out-of-memory error with the place it was met.
void ReportOutOfMemory(const char* file, Int32 line);

void* MemAlloc(std::size_t size, const char* site, Int32 line, Bool clear);
void MemFree(void* p);
void MemDeleteWith(void* p, Deleter deleter);

// The host's allocation of plug-in objects: null when memory runs out, never an exception.
template <typename T, typename... Args>
T* NewObj(const char* site, Int32 line, Args&&... args) {
  void* mem = MemAlloc(sizeof(T), site, line, false);
  if (!mem) return nullptr;
  return new (mem) T(std::forward<Args>(args)...);
}
template <typename T, typename... Args>
T* NewObjClear(const char* site, Int32 line, Args&&... args) {
  void* mem = MemAlloc(sizeof(T), site, line, true);
  if (!mem) return nullptr;
  return new (mem) T(std::forward<Args>(args)...);
}
template <typename T>
void DeleteObj(T*& p) {
  if (!p) return;
  p->~T();
  MemFree(p);
  p = nullptr;
}

const void* FindLibrary(Int32 id);
Filename GetPluginFolder();
Filename GetPluginResourceFolder();
Bool InitPluginResource();
String LoadResourceString(Int32 id);
Bitmap* LoadIconBitmap(const String& name);
// FreeBitmap and the other image calls: scn/bitmap.h

Bool StringToInt32(const char* text, std::size_t length, Int32* out);
Bool StringToFloat64(const char* text, std::size_t length, Float64* out);

void SetStatusText(const String& text);
void SetStatusProgress(Int32 percent);
void ClearStatus();

// Files.
HostFile* AllocateFile();
void FreeFile(HostFile*& f);
Bool OpenFile(HostFile* f, const Filename& name, FileMode mode, ByteOrder order = kByteOrderIntel,
              Int32 type = MakeCode("SCNC"), Int32 creator = MakeCode("SCN1"));
Bool CloseFile(HostFile* f);
Int32 GetFileError(HostFile* f);
inline Bool ReadFileChar(HostFile* f, char* c) {
  auto* w = reinterpret_cast<FileReadWindow*>(f);
  if (w->next < w->end) {
    *c = static_cast<char>(*w->next++);
    return true;
  }
  return GetHostTables()->file->RefillChar(f, c);
}
Bool ReadFileBytes(HostFile* f, void* data, Int64 size);
Bool WriteFileBytes(HostFile* f, const void* data, Int64 size);
Bool ReadFileByte(HostFile* f, Int32* v);
Bool WriteFileByte(HostFile* f, Int32 v);
Bool ReadFileInt32(HostFile* f, Int32* v);
Bool WriteFileInt32(HostFile* f, Int32 v);
Bool ReadFileFloat32(HostFile* f, Float32* v);
Bool WriteFileFloat32(HostFile* f, Float32 v);
Bool ReadFileFloat64(HostFile* f, Float64* v);
Bool WriteFileFloat64(HostFile* f, Float64 v);
Bool ReadFileString(HostFile* f, String* v);
Bool WriteFileString(HostFile* f, const String& v);
Int64 GetFileSize(HostFile* f);
Bool FileExists(const Filename& name, Bool isDirectory = false);
Bool CreateFolder(const Filename& name);
Bool CopyFile(const Filename& src, const Filename& dest);
FolderBrowser* OpenFolderBrowser(const Filename& folder);
Bool BrowseNext(FolderBrowser* b, Filename* name, Bool* isDirectory);
void CloseFolderBrowser(FolderBrowser*& b);

// Record files.
Bool ReadRecordInt32(RecordFile* rf, Int32* v);
Bool WriteRecordInt32(RecordFile* rf, Int32 v);
Bool ReadRecordBool(RecordFile* rf, Bool* v);
Bool WriteRecordBool(RecordFile* rf, Bool v);
Bool ReadRecordFloat32(RecordFile* rf, Float32* v);
Bool WriteRecordFloat32(RecordFile* rf, Float32 v);
Bool ReadRecordFloat64(RecordFile* rf, Float64* v);
Bool WriteRecordFloat64(RecordFile* rf, Float64 v);
Bool ReadRecordVector(RecordFile* rf, Vector* v);
Bool WriteRecordVector(RecordFile* rf, const Vector& v);
Bool ReadRecordMatrix(RecordFile* rf, Matrix* v);
Bool WriteRecordMatrix(RecordFile* rf, const Matrix& v);
Bool ReadRecordString(RecordFile* rf, String* v);
Bool WriteRecordString(RecordFile* rf, const String& v);
Bool ReadRecordFilename(RecordFile* rf, Filename* v);
Bool WriteRecordFilename(RecordFile* rf, const Filename& v);

// Registrations and commands.
Bool RegisterObjectType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                        const String& description, const Bitmap* icon, Int32 diskLevel);
Bool RegisterTagType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                     const String& description, const Bitmap* icon, Int32 diskLevel);
Bool RegisterShaderType(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                        const String& description, Int32 diskLevel);
Bool RegisterCommandType(Int32 id, const String& name, Int32 flags, const Bitmap* icon, const String& help,
                         CommandData* command);
Bool RegisterMessagePlugin(Int32 id, const String& name, Int32 flags, MessageData* data);
Bool RegisterPreferencePage(Int32 id, NodeAllocator alloc, const String& name, const String& description,
                            Int32 sortValue);
Bool RunCommand(Int32 id, Int32 subId);

// Dialogs.
Bool OpenDialog(HostDialog* dialog, Int32 mode, Int32 pluginId, Int32 x, Int32 y, Int32 w, Int32 h);
Bool RestoreDialogWindow(HostDialog* dialog, Int32 pluginId, Int32 subId, void* layoutData);
Bool SetHtmlViewerUrl(CustomGadget* gadget, const String& url);
void ShowNotice(const String& text);

// Descriptions and settings.
Bool ReadDescriptionResource(Description* desc, const String& name);
Container* GetDescriptionEntry(Description* desc, Int32 id);
Container* GetWorldSettings();
// Holds the world settings' lock while it lives (nothing when the preferences library is missing):
// around every write to the world settings, and around reading them off the main thread.
class WorldSettingsLock {
 public:
  WorldSettingsLock();
  ~WorldSettingsLock();
  WorldSettingsLock(const WorldSettingsLock&) = delete;
  WorldSettingsLock& operator=(const WorldSettingsLock&) = delete;

 private:
  const PreferencesLibrary* lib_;
};

}  // namespace scn
