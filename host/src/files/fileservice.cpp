#include "files/fileservice.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <new>
#include <string>

#include "core/host.h"
#include "files/folderbrowser.h"
#include "files/hostfile.h"
#include "files/typedfileio.h"

namespace host {
namespace {
namespace fs = std::filesystem;

std::atomic<int> g_liveFiles{0};
std::atomic<int> g_liveBrowsers{0};

void Misbehaving(const std::string& what) {
  if (Host* h = Host::Current()) h->diagnostics().ReportMisbehaviour(what);
}

// The file when it is open in the mode the call needs; else reports the misuse and fails the file.
scn::HostFile* InMode(scn::HostFile* f, scn::FileMode mode, const char* call) {
  if (!f) {
    Misbehaving(std::string(call) + " on a null file");
    return nullptr;
  }
  if (!IsOpen(*f) || f->mode != mode) {
    Misbehaving(std::string(call) + (mode == scn::kFileRead ? " on a file not open for reading"
                                                            : " on a file not open for writing"));
    Fail(*f, kFileWrongMode);
    return nullptr;
  }
  return f;
}

template <typename T>
scn::Bool Read(scn::HostFile* f, T* v, const char* call, bool (*read)(scn::HostFile&, T*)) {
  if (!v) {
    Misbehaving(std::string(call) + " with a null value");
    return false;
  }
  scn::HostFile* file = InMode(f, scn::kFileRead, call);
  return file && read(*file, v);
}

template <typename T>
scn::Bool Write(scn::HostFile* f, T v, const char* call, bool (*write)(scn::HostFile&, T)) {
  scn::HostFile* file = InMode(f, scn::kFileWrite, call);
  return file && write(*file, v);
}

std::string PathOf(const scn::Filename& name) { return name.GetString(); }

void FillFileEntries(scn::FileTable& t) {
  // any thread; null when out of memory; freed with FreeFile
  t.AllocateFile = []() -> scn::HostFile* {
    auto* f = new (std::nothrow) scn::HostFile();
    if (f) ++g_liveFiles;
    return f;
  };
  // any thread; an open file is flushed and closed first; null is ignored
  t.FreeFile = [](scn::HostFile* f) {
    if (!f) return;
    if (IsOpen(*f)) CloseHostFile(*f);
    delete f;
    --g_liveFiles;
  };
  // any thread; false when the file cannot be opened (error kFileOpenFailed); writing creates or truncates
  t.OpenFile = [](scn::HostFile* f, const scn::Filename& name, scn::FileMode mode, scn::ByteOrder order,
                  scn::Int32 type, scn::Int32 creator) -> scn::Bool {
    if (!f) return false;
    if (IsOpen(*f)) Misbehaving("OpenFile on a file that is still open");
    return OpenHostFile(*f, PathOf(name), mode, order, type, creator);
  };
  // any thread; false when written data did not all reach the disk; a file not open is misuse
  t.CloseFile = [](scn::HostFile* f) -> scn::Bool {
    if (!f) return false;
    if (!IsOpen(*f)) {
      Misbehaving("CloseFile on a file that is not open");
      return false;
    }
    return CloseHostFile(*f);
  };
  // any thread; 0 while no read or write failed, else the first failure's FileError; -1 for null
  t.GetFileError = [](scn::HostFile* f) -> scn::Int32 { return f ? f->error : -1; };
  // any thread; false at plain end of file (no error set) or once the file has an error
  t.RefillChar = [](scn::HostFile* f, char* c) -> scn::Bool {
    return Read<char>(f, c, "ReadFileChar", RefillChar);
  };
  // any thread; running past the end is an error (kFileEndOfFile)
  t.ReadBytes = [](scn::HostFile* f, void* data, scn::Int64 size) -> scn::Bool {
    scn::HostFile* file = InMode(f, scn::kFileRead, "ReadFileBytes");
    return file && (size == 0 || data) && ReadBytes(*file, data, size);
  };
  t.WriteBytes = [](scn::HostFile* f, const void* data, scn::Int64 size) -> scn::Bool {
    scn::HostFile* file = InMode(f, scn::kFileWrite, "WriteFileBytes");
    return file && (size == 0 || data) && WriteBytes(*file, data, size);
  };
}

void FillTypedEntries(scn::FileTable& t) {
  // any thread; in the file's byte order; false (with the file's error set) on failure
  t.ReadInt32 = [](scn::HostFile* f, scn::Int32* v) { return Read(f, v, "ReadFileInt32", ReadInt32); };
  t.WriteInt32 = [](scn::HostFile* f, scn::Int32 v) { return Write(f, v, "WriteFileInt32", WriteInt32); };
  t.ReadFloat32 = [](scn::HostFile* f, scn::Float32* v) { return Read(f, v, "ReadFileFloat32", ReadFloat32); };
  t.WriteFloat32 = [](scn::HostFile* f, scn::Float32 v) { return Write(f, v, "WriteFileFloat32", WriteFloat32); };
  t.ReadFloat64 = [](scn::HostFile* f, scn::Float64* v) { return Read(f, v, "ReadFileFloat64", ReadFloat64); };
  t.WriteFloat64 = [](scn::HostFile* f, scn::Float64 v) { return Write(f, v, "WriteFileFloat64", WriteFloat64); };
  // any thread; a count below 0 or beyond the rest of the file fails (kFileBadData) and allocates nothing
  t.ReadString = [](scn::HostFile* f, scn::String* v) { return Read(f, v, "ReadFileString", ReadString); };
  t.WriteString = [](scn::HostFile* f, const scn::String& v) -> scn::Bool {
    scn::HostFile* file = InMode(f, scn::kFileWrite, "WriteFileString");
    return file && WriteString(*file, v);
  };
  // any thread; reading: the size at open; writing: the bytes written so far; -1 when not open
  t.GetFileSize = [](scn::HostFile* f) -> scn::Int64 { return f ? FileSize(*f) : -1; };
}

void FillFolderEntries(scn::FileTable& t) {
  // any thread; isDirectory asks for a folder, else for a regular file; false for an empty name
  t.FileExists = [](const scn::Filename& name, scn::Bool isDirectory) -> scn::Bool {
    if (name.IsEmpty()) return false;
    std::error_code ec;
    const auto st = fs::status(PathOf(name), ec);
    if (ec) return false;
    return isDirectory ? fs::is_directory(st) : fs::is_regular_file(st);
  };
  // any thread; one level (the parent must exist); true when the folder is there afterwards
  t.CreateFolder = [](const scn::Filename& name) -> scn::Bool {
    if (name.IsEmpty()) return false;
    const std::string path = PathOf(name);
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    if (errno != EEXIST) return false;
    std::error_code ec;
    return fs::is_directory(path, ec);
  };
  // any thread; null when the folder cannot be read; entries in name order, without "." and ".."
  t.OpenFolderBrowser = [](const scn::Filename& folder) -> scn::FolderBrowser* {
    auto b = OpenFolder(PathOf(folder));
    if (b) ++g_liveBrowsers;
    return b.release();
  };
  // any thread; the next entry's file part and kind; false when there are no more
  t.BrowseNext = [](scn::FolderBrowser* b, scn::Filename* name, scn::Bool* isDirectory) -> scn::Bool {
    if (!b) return false;
    std::string entry;
    bool dir = false;
    if (!NextEntry(*b, &entry, &dir)) return false;
    if (name) *name = scn::Filename(std::move(entry));
    if (isDirectory) *isDirectory = dir;
    return true;
  };
  // any thread; null is ignored
  t.CloseFolderBrowser = [](scn::FolderBrowser* b) {
    if (!b) return;
    delete b;
    --g_liveBrowsers;
  };
  t.CopyFile = [](const scn::Filename& src, const scn::Filename& dest) -> scn::Bool {
    if (src.IsEmpty() || dest.IsEmpty()) return false;
    std::error_code ec;
    if (!fs::is_regular_file(PathOf(src), ec)) return false;
    return fs::copy_file(PathOf(src), PathOf(dest), fs::copy_options::overwrite_existing, ec) && !ec;
  };
}

}  // namespace

void FileService::FillTable(scn::FileTable& table) {
  FillFileEntries(table);
  FillTypedEntries(table);
  FillFolderEntries(table);
}

int FileService::LiveFiles() { return g_liveFiles.load(); }
int FileService::LiveBrowsers() { return g_liveBrowsers.load(); }

}  // namespace host
