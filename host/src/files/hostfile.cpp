#include "files/hostfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <type_traits>

// ReadFileChar reinterprets a HostFile* as its window.
static_assert(std::is_standard_layout_v<scn::HostFile>);
static_assert(offsetof(scn::HostFile, window) == 0);

namespace host {
namespace {

void ResetWindow(scn::HostFile& f) { f.window = {}; }

bool EnsureBuffer(scn::HostFile& f) {
  if (!f.buffer) f.buffer.reset(new (std::nothrow) unsigned char[kFileBufferSize]);
  return f.buffer != nullptr;
}

// Bytes taken into the buffer; 0 at end of file, -1 when the system refused.
ssize_t FillBuffer(scn::HostFile& f) {
  for (;;) {
    const ssize_t n = ::read(f.fd, f.buffer.get(), kFileBufferSize);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool Flush(scn::HostFile& f) {
  if (f.pending == 0) return true;
  const std::size_t n = f.pending;
  f.pending = 0;
  if (!WriteAll(f.fd, f.buffer.get(), n)) {
    Fail(f, kFileWriteFailed);
    return false;
  }
  f.flushed += static_cast<scn::Int64>(n);
  return true;
}

// A fresh state for the next open; type and creator are set by the caller.
void ResetState(scn::HostFile& f) {
  ResetWindow(f);
  f.fd = -1;
  f.error = kFileOk;
  f.size = 0;
  f.taken = 0;
  f.flushed = 0;
  f.pending = 0;
  f.path.clear();
}

int OpenDescriptor(const std::string& path, scn::FileMode mode) {
  if (mode == scn::kFileWrite) return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fd;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

bool IsOpen(const scn::HostFile& f) { return f.fd >= 0; }

void Fail(scn::HostFile& f, scn::Int32 code) {
  if (f.error == kFileOk) f.error = code;
  ResetWindow(f);
}

bool OpenHostFile(scn::HostFile& f, const std::string& path, scn::FileMode mode, scn::ByteOrder order,
                  scn::Int32 type, scn::Int32 creator) {
  if (IsOpen(f)) CloseHostFile(f);
  ResetState(f);
  f.mode = mode;
  f.order = order;
  f.type = type;
  f.creator = creator;
  if (!EnsureBuffer(f)) {
    f.error = kFileOutOfMemory;
    return false;
  }
  if (path.empty() || (mode != scn::kFileRead && mode != scn::kFileWrite)) {
    f.error = kFileOpenFailed;
    return false;
  }
  f.fd = OpenDescriptor(path, mode);
  if (f.fd < 0) {
    f.error = kFileOpenFailed;
    return false;
  }
  f.path = path;
  if (mode == scn::kFileRead) {
    struct stat st {};
    f.size = ::fstat(f.fd, &st) == 0 ? static_cast<scn::Int64>(st.st_size) : 0;
  }
  return true;
}

bool CloseHostFile(scn::HostFile& f) {
  if (!IsOpen(f)) return false;
  bool ok = true;
  if (f.mode == scn::kFileWrite) ok = Flush(f) && f.error == kFileOk;
  if (::close(f.fd) != 0 && f.mode == scn::kFileWrite) {
    Fail(f, kFileWriteFailed);
    ok = false;
  }
  f.fd = -1;
  ResetWindow(f);
  return ok;
}

bool RefillChar(scn::HostFile& f, char* c) {
  if (f.error != kFileOk) return false;
  if (f.window.next < f.window.end) {
    *c = static_cast<char>(*f.window.next++);
    return true;
  }
  const ssize_t n = FillBuffer(f);
  if (n < 0) {
    Fail(f, kFileReadFailed);
    return false;
  }
  if (n == 0) {
    ResetWindow(f);
    return false;
  }
  f.taken += n;
  f.window.next = f.buffer.get();
  f.window.end = f.buffer.get() + n;
  *c = static_cast<char>(*f.window.next++);
  return true;
}

bool ReadBytes(scn::HostFile& f, void* data, scn::Int64 size) {
  if (f.error != kFileOk) return false;
  if (size < 0) {
    Fail(f, kFileBadData);
    return false;
  }
  auto* out = static_cast<unsigned char*>(data);
  while (size > 0) {
    if (f.window.next == f.window.end) {
      char first;
      if (!RefillChar(f, &first)) {
        Fail(f, kFileEndOfFile);
        return false;
      }
      --f.window.next;  // give the byte back; it is copied below
    }
    const auto avail = static_cast<scn::Int64>(f.window.end - f.window.next);
    const auto n = static_cast<std::size_t>(avail < size ? avail : size);
    std::memcpy(out, f.window.next, n);
    f.window.next += n;
    out += n;
    size -= static_cast<scn::Int64>(n);
  }
  return true;
}

bool WriteBytes(scn::HostFile& f, const void* data, scn::Int64 size) {
  if (f.error != kFileOk) return false;
  if (size < 0) {
    Fail(f, kFileBadData);
    return false;
  }
  auto* in = static_cast<const unsigned char*>(data);
  auto left = static_cast<std::size_t>(size);
  while (left > 0) {
    if (f.pending == kFileBufferSize && !Flush(f)) return false;
    const std::size_t n = std::min(left, kFileBufferSize - f.pending);
    std::memcpy(f.buffer.get() + f.pending, in, n);
    f.pending += n;
    in += n;
    left -= n;
  }
  return true;
}

scn::Int64 Remaining(const scn::HostFile& f) {
  const auto inWindow = static_cast<scn::Int64>(f.window.end - f.window.next);
  const scn::Int64 onDisk = f.size - f.taken;
  return inWindow + (onDisk > 0 ? onDisk : 0);
}

scn::Int64 FileSize(const scn::HostFile& f) {
  if (!IsOpen(f)) return -1;
  if (f.mode == scn::kFileWrite) return f.flushed + static_cast<scn::Int64>(f.pending);
  return f.size;
}

}  // namespace host
