// Host files: a file on disk opened for reading or writing through one 64 KiB buffer. Reads hand the
// unread part of the buffer to the plug-in through the file's read window; writes collect in the
// buffer and reach the disk when it is full or the file is closed.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "scn/tables.h"

namespace host {

// GetFileError codes; the first failure's code stays until the file is opened again.
enum FileError : scn::Int32 {
  kFileOk = 0,
  kFileOpenFailed = 1,   // missing, a folder, no permission, or an empty name
  kFileReadFailed = 2,   // the system refused a read
  kFileEndOfFile = 3,    // a typed read ran past the end
  kFileBadData = 4,      // a String count below 0 or beyond the rest of the file, a negative size
  kFileWriteFailed = 5,  // the system refused a write (disk full, ...)
  kFileWrongMode = 6,    // a read on a file open for writing, a write on one open for reading
  kFileOutOfMemory = 7,
};

inline constexpr std::size_t kFileBufferSize = 64 * 1024;

}  // namespace host

namespace scn {

struct HostFile {
  // First member: scn::ReadFileChar takes bytes from it and calls RefillChar only when it is empty.
  FileReadWindow window;
  int fd = -1;
  FileMode mode = kFileRead;
  ByteOrder order = kByteOrderIntel;
  // Kept for whoever asks; they are not written into the file.
  Int32 type = 0;
  Int32 creator = 0;
  Int32 error = host::kFileOk;
  Int64 size = 0;            // reading: the file's size at open
  Int64 taken = 0;           // reading: bytes taken from the disk into the buffer so far
  Int64 flushed = 0;         // writing: bytes handed to the disk so far
  std::size_t pending = 0;   // writing: bytes in the buffer, not yet on disk
  std::unique_ptr<unsigned char[]> buffer;
  std::string path;
};

}  // namespace scn

namespace host {

bool IsOpen(const scn::HostFile& f);
// Opening for writing creates or truncates. An open file is closed first.
bool OpenHostFile(scn::HostFile& f, const std::string& path, scn::FileMode mode, scn::ByteOrder order,
                  scn::Int32 type, scn::Int32 creator);
// Flushes and closes; false when written data did not all reach the disk (also for earlier failures).
bool CloseHostFile(scn::HostFile& f);

// Reading: the window is refilled from the disk when empty. Once the file has an error every read
// and write fails.
bool RefillChar(scn::HostFile& f, char* c);
bool ReadBytes(scn::HostFile& f, void* data, scn::Int64 size);
bool WriteBytes(scn::HostFile& f, const void* data, scn::Int64 size);
// Bytes not yet read: what the window holds and what the disk still has.
scn::Int64 Remaining(const scn::HostFile& f);
scn::Int64 FileSize(const scn::HostFile& f);

// Marks the file failed (first code wins) and empties the read window so ReadFileChar stops too.
void Fail(scn::HostFile& f, scn::Int32 code);

}  // namespace host
