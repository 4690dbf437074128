// File names: a path text with the host's join and split rules ('/' separated).
#pragma once

#include "scn/types.h"

namespace scn {

class Filename {
 public:
  Filename() = default;
  Filename(String path) : path_(std::move(path)) {}
  Filename(const char* path) : path_(path ? path : "") {}

  const String& GetString() const { return path_; }
  Bool IsEmpty() const { return path_.empty(); }

  // Joining an empty name on either side yields the other.
  friend Filename operator+(const Filename& dir, const Filename& file) {
    if (dir.IsEmpty()) return file;
    if (file.IsEmpty()) return dir;
    if (dir.path_.back() == '/') return Filename(dir.path_ + file.path_);
    return Filename(dir.path_ + "/" + file.path_);
  }

  Filename GetDirectory() const {
    const auto slash = TrimmedSlash();
    if (slash == String::npos) return Filename();
    if (slash == 0) return Filename("/");
    return Filename(path_.substr(0, slash));
  }

  Filename GetFile() const {
    const auto slash = TrimmedSlash();
    const String trimmed = Trimmed();
    return Filename(slash == String::npos ? trimmed : trimmed.substr(slash + 1));
  }

  // The text after the last '.' of the file part, without the dot; empty when none.
  String GetSuffix() const {
    const String file = GetFile().path_;
    const auto dot = file.rfind('.');
    if (dot == String::npos || dot == 0) return String();
    return file.substr(dot + 1);
  }

  friend bool operator==(const Filename& a, const Filename& b) = default;

 private:
  String Trimmed() const {
    String p = path_;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
  }
  String::size_type TrimmedSlash() const { return Trimmed().rfind('/'); }

  String path_;
};

}  // namespace scn
