#include "prefs/settingsfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "prefs/settingscodec.h"

namespace host {
namespace {

std::string Why(const std::string& what, const std::filesystem::path& path) {
  return what + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable; best effort.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SettingsLoad LoadSettingsFile(const std::filesystem::path& path, scn::Container* out, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return SettingsLoad::Missing;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = path.string() + " is no file";
    return SettingsLoad::Unreadable;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  if (!in || in.bad()) {
    *error = "cannot read " + path.string();
    return SettingsLoad::Unreadable;
  }
  if (!DecodeSettings(bytes.str(), out, error)) return SettingsLoad::Corrupt;
  return SettingsLoad::Loaded;
}

bool SaveSettingsFile(const std::filesystem::path& path, const scn::Container& settings, std::string* error) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  const std::filesystem::path temp = path.string() + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = Why("cannot create", temp);
    return false;
  }
  bool ok = WriteAll(fd, EncodeSettings(settings)) && ::fsync(fd) == 0;
  if (!ok) *error = Why("cannot write", temp);
  if (::close(fd) != 0 && ok) {
    ok = false;
    *error = Why("cannot close", temp);
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    *error = Why("cannot replace", path);
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
  return true;
}

}  // namespace host
