// The function tables the host hands to scn_main (action 1). Grouped by service; each entry states its
// contract in one line. Optional libraries are looked up by id and may be missing.
#pragma once

#include <cstddef>

#include "scn/container.h"
#include "scn/handles.h"

namespace scn {

enum FileMode : Int32 { kFileRead = 0, kFileWrite = 1 };
enum ByteOrder : Int32 { kByteOrderIntel = 0, kByteOrderMotorola = 1 };

// Four-character type and creator codes ("SCNC", "SCN1").
constexpr Int32 MakeCode(const char (&c)[5]) {
  return (Int32(c[0]) << 24) | (Int32(c[1]) << 16) | (Int32(c[2]) << 8) | Int32(c[3]);
}

// The first bytes of every HostFile: the unread part of its read buffer, so that ReadFileChar costs a
// compare and a load per byte and calls the host only to refill.
struct FileReadWindow {
  const unsigned char* next = nullptr;
  const unsigned char* end = nullptr;
};

struct CoreTable {
  // any thread; text is copied
  void (*DiagnosticOutput)(const char* text);
  // any thread; null when out of memory (reported to diagnostics with the site); clear zero-fills
  void* (*MemAlloc)(std::size_t size, const char* site, Int32 line, Bool clear);
  // any thread; null is ignored
  void (*MemFree)(void* p);
  // main thread; runs deleter(p), which destroys and frees p
  void (*MemDeleteWith)(void* p, Deleter deleter);
  // any thread (the preferences are read from plug-in threads); the host library of that id, or null when
  // it is missing
  const void* (*FindLibrary)(Int32 id);
  // main thread; the plug-in's own folder and its resource folder
  Filename (*GetPluginFolder)();
  Filename (*GetPluginResourceFolder)();
  // main thread; loads the string table of the resource folder; false when it is missing or malformed
  Bool (*InitPluginResource)();
  // any thread; empty text for an unknown number
  String (*LoadResourceString)(Int32 id);
  // main thread; an icon of the resource folder's "icons", null when missing or unreadable
  Bitmap* (*LoadIconBitmap)(const String& name);
  // any thread; text to number; false when the text is no number
  Bool (*StringToInt32)(const char* text, std::size_t length, Int32* out);
  Bool (*StringToFloat64)(const char* text, std::size_t length, Float64* out);
  // any thread: status bar
  void (*SetStatusText)(const String& text);
  void (*SetStatusProgress)(Int32 percent);
  void (*ClearStatus)();
};

struct FileTable {
  // any thread; null when out of memory
  HostFile* (*AllocateFile)();
  // any thread; closes the file when open; null is ignored
  void (*FreeFile)(HostFile* f);
  // any thread; false when the file cannot be opened (GetFileError tells why)
  Bool (*OpenFile)(HostFile* f, const Filename& name, FileMode mode, ByteOrder order, Int32 type,
                   Int32 creator);
  // any thread; false when flushing written data failed
  Bool (*CloseFile)(HostFile* f);
  // any thread; 0 while no read or write has failed, else the first failure's code
  Int32 (*GetFileError)(HostFile* f);
  // any thread; refills the read window and takes one byte; false at end of file or on error
  Bool (*RefillChar)(HostFile* f, char* c);
  // any thread; typed reads and writes in the file's byte order; false on failure (sets the file error)
  Bool (*ReadBytes)(HostFile* f, void* data, Int64 size);
  Bool (*WriteBytes)(HostFile* f, const void* data, Int64 size);
  Bool (*ReadInt32)(HostFile* f, Int32* v);
  Bool (*WriteInt32)(HostFile* f, Int32 v);
  Bool (*ReadFloat32)(HostFile* f, Float32* v);
  Bool (*WriteFloat32)(HostFile* f, Float32 v);
  Bool (*ReadFloat64)(HostFile* f, Float64* v);
  Bool (*WriteFloat64)(HostFile* f, Float64 v);
  // String: Int32 byte count, then the bytes
  Bool (*ReadString)(HostFile* f, String* v);
  Bool (*WriteString)(HostFile* f, const String& v);
  // any thread; size of the open file, -1 when unknown
  Int64 (*GetFileSize)(HostFile* f);
  // any thread; isDirectory asks for a folder, else for a file
  Bool (*FileExists)(const Filename& name, Bool isDirectory);
  // any thread; creates one folder; false when it cannot
  Bool (*CreateFolder)(const Filename& name);
  // any thread; null when the folder cannot be read
  FolderBrowser* (*OpenFolderBrowser)(const Filename& folder);
  // any thread; the next entry's name (file part) and kind; false when there are no more
  Bool (*BrowseNext)(FolderBrowser* b, Filename* name, Bool* isDirectory);
  // any thread; null is ignored
  void (*CloseFolderBrowser)(FolderBrowser* b);
  // any thread; copies a regular file over whatever dest holds; false when it cannot
  Bool (*CopyFile)(const Filename& src, const Filename& dest);
};

// Typed values of scene records; a read of another type than was written fails.
struct RecordTable {
  // main thread; all false once a read or write has failed
  Bool (*ReadInt32)(RecordFile* rf, Int32* v);
  Bool (*WriteInt32)(RecordFile* rf, Int32 v);
  Bool (*ReadBool)(RecordFile* rf, Bool* v);
  Bool (*WriteBool)(RecordFile* rf, Bool v);
  Bool (*ReadFloat32)(RecordFile* rf, Float32* v);
  Bool (*WriteFloat32)(RecordFile* rf, Float32 v);
  Bool (*ReadFloat64)(RecordFile* rf, Float64* v);
  Bool (*WriteFloat64)(RecordFile* rf, Float64 v);
  Bool (*ReadVector)(RecordFile* rf, Vector* v);
  Bool (*WriteVector)(RecordFile* rf, const Vector& v);
  Bool (*ReadMatrix)(RecordFile* rf, Matrix* v);
  Bool (*WriteMatrix)(RecordFile* rf, const Matrix& v);
  Bool (*ReadString)(RecordFile* rf, String* v);
  Bool (*WriteString)(RecordFile* rf, const String& v);
  Bool (*ReadFilename)(RecordFile* rf, Filename* v);
  Bool (*WriteFilename)(RecordFile* rf, const Filename& v);
};

struct RegistryTable {
  // main thread, during start; false when the id is taken or the host refuses; the icon is copied
  Bool (*RegisterObjectType)(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                             const String& description, const Bitmap* icon, Int32 diskLevel);
  Bool (*RegisterTagType)(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                          const String& description, const Bitmap* icon, Int32 diskLevel);
  Bool (*RegisterShaderType)(Int32 id, const String& name, Int32 flags, NodeAllocator alloc,
                             const String& description, Int32 diskLevel);
  // main thread, during start; the host takes ownership of the command or message object, also on false
  Bool (*RegisterCommandType)(Int32 id, const String& name, Int32 flags, const Bitmap* icon,
                              const String& help, CommandData* command);
  Bool (*RegisterMessagePlugin)(Int32 id, const String& name, Int32 flags, MessageData* data);
  // main thread; false when no command of that id is registered or it failed
  Bool (*RunCommand)(Int32 id, Int32 subId);
};

struct UiTable {
  // main thread; opens the dialog (BuildLayout, InitContent); false when the window or its layout fails;
  // an open dialog is brought forward (true, not built again)
  Bool (*OpenDialog)(HostDialog* dialog, Int32 mode, Int32 pluginId, Int32 x, Int32 y, Int32 w, Int32 h);
  // main thread; reopens a dialog from the layout data the host passed to RestoreWindow; false when it fails
  Bool (*RestoreDialogWindow)(HostDialog* dialog, Int32 pluginId, Int32 subId, void* layoutData);
  // main thread; closes the window; false when it was not open
  Bool (*CloseDialog)(HostDialog* dialog);
  // main thread; layout of an open dialog's window (during BuildLayout or after it); an unbalanced GroupEnd
  // or a group left open by BuildLayout is misbehaviour
  Bool (*SetTitle)(DialogWindow* w, const String& title);
  Bool (*LayoutCommand)(DialogWindow* w, Int32 command, Int32 id);
  Bool (*GroupBegin)(DialogWindow* w, Int32 id, Int32 flags, Int32 columns, Int32 rows, const String& title,
                     Int32 groupFlags);
  Bool (*GroupEnd)(DialogWindow* w);
  // main thread; null when the library is missing or the gadget cannot be made; the window owns it
  CustomGadget* (*AddCustomGadget)(DialogWindow* w, Int32 libraryId, const String& name, Int32 id,
                                   Int32 flags, Int32 minWidth, Int32 minHeight);
  // main thread; a message box with the text and an OK button
  void (*ShowNotice)(const String& text);
};

// Library 1000467.
struct DescriptionLibrary {
  // main thread; loads the named description resource into desc; false when it is missing or malformed
  Bool (*ReadDescriptionResource)(Description* desc, const String& name);
  // main thread; null when desc has no entry of that id; the description owns the entry
  Container* (*GetDescriptionEntry)(Description* desc, Int32 id);
};

// Library 1000466.
struct PreferencesLibrary {
  // main thread, during start; false when the id is taken or the host refuses
  Bool (*RegisterPreferencePage)(Int32 id, NodeAllocator alloc, const String& name, const String& description,
                                 Int32 sortValue);
  // main thread, or any thread while it holds the settings lock; never null
  Container* (*GetWorldSettings)();
  // any thread; the settings lock, held around every write to the world settings and around every read
  // of them off the main thread; a thread may take it again while it holds it
  void (*LockWorldSettings)();
  // the thread that holds the lock; once for each LockWorldSettings
  void (*UnlockWorldSettings)();
};

// Library 200000114.
struct HtmlViewerLibrary {
  // main thread; false when the gadget is no HTML viewer
  Bool (*SetUrl)(CustomGadget* g, const String& url);
};

struct SceneTable;      // scene services, declared in scn/tables_scene.h
struct BitmapTable;     // image services, declared in scn/tables_bitmap.h
struct ThreadTable;     // threads, declared in scn/tables_thread.h
struct NetTable;        // IP connections, declared in scn/tables_net.h
struct AnimationTable;  // tracks and node graphs, declared in scn/tables_animation.h

struct HostTables {
  Int32 version = kHostApiVersion;
  const CoreTable* core = nullptr;
  const FileTable* file = nullptr;
  const RecordTable* record = nullptr;
  const RegistryTable* registry = nullptr;
  const UiTable* ui = nullptr;
  const SceneTable* scene = nullptr;
  const BitmapTable* bitmap = nullptr;
  const ThreadTable* thread = nullptr;
  const NetTable* net = nullptr;
  const AnimationTable* animation = nullptr;
};

// Library ids.
inline constexpr Int32 kLibDescriptions = 1000467;
inline constexpr Int32 kLibPreferences = 1000466;
inline constexpr Int32 kLibZip = 1011188;
inline constexpr Int32 kLibCharacterAnimation = 1019742;
inline constexpr Int32 kLibHtmlViewer = 200000114;

// Dialog layout commands.
inline constexpr Int32 kLayoutFlushGroup = 34;
inline constexpr Int32 kLayoutChanged = 25;

// Dialog open modes.
inline constexpr Int32 kDialogNonModal = 20;

// Parameter hook flags: the hook stored or supplied the value itself.
inline constexpr Int32 kParamSet = 2;
// BuildDescription flags: the description was loaded; the host asks for defaults.
inline constexpr Int32 kDescLoaded = 2;
inline constexpr Int32 kDescInitDefaults = 0x20;
// Values of a description entry (GetDescriptionEntry): type code, name resource number, name text,
// default value (set when the description resource or the plug-in gives one).
inline constexpr Int32 kDescType = 1;
inline constexpr Int32 kDescNameId = 2;
inline constexpr Int32 kDescName = 3;
inline constexpr Int32 kDescDefault = 4;

// Node messages.
inline constexpr Int32 kMsgUpdate = 5;
inline constexpr Int32 kMsgButton = 18;

}  // namespace scn
