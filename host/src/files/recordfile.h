// Tagged record files of scene data: every value is one type tag byte and its payload, so a read of
// another type than the one written next is caught. The first failed read or write fails every later one.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scn/tables.h"

namespace scn {

struct RecordFile {
  bool writing = false;
  std::string bytes;
  std::size_t readAt = 0;
  bool failed = false;
  int writesLeft = -1;  // values that may still be written; -1 = no limit (test hook)
};

}  // namespace scn

namespace host {

// Type tags of the byte stream; payloads are little-endian.
enum class RecordTag : unsigned char {
  Int32 = 1,
  Bool = 2,     // one byte, 0 or 1
  Float32 = 3,
  Float64 = 4,
  Vector = 5,   // 3 Float64: x, y, z
  Matrix = 6,   // 12 Float64: off, v1, v2, v3
  String = 7,   // Int32 byte count, then the bytes
  Filename = 8, // as String
};

class RecordFile {
 public:
  static void FillTable(scn::RecordTable& table);

  static std::unique_ptr<scn::RecordFile> ForWriting();
  static std::unique_ptr<scn::RecordFile> ForReading(std::string bytes);
  static const std::string& Bytes(const scn::RecordFile& rf);
  // True once a read or write has failed.
  static bool Failed(const scn::RecordFile& rf);
  // True when a reading record has handed out every value.
  static bool AtEnd(const scn::RecordFile& rf);

  // Whole records on disk behind a short header; saving goes through a temporary file and a rename,
  // so a failed save leaves an earlier file as it was. Loading gives null for a missing or foreign file.
  static bool SaveToFile(const scn::RecordFile& rf, const std::filesystem::path& path);
  static std::unique_ptr<scn::RecordFile> LoadFromFile(const std::filesystem::path& path);

  // Test hook: after n more successful values every write fails.
  static void FailAfter(scn::RecordFile& rf, int n);
};

}  // namespace host
