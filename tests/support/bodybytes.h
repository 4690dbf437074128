// Message bodies as the phone writes them, and a host whose captures folder is a temporary folder.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "networking/completeddownloadqueue.h"
#include "preferences.h"
#include "scn/api.h"
#include "wirebytes.h"

// UInt16 and String counts big-endian; UInt32 and floats little-endian.
inline Bytes U8(std::uint8_t v) {
  return {v};
}
inline Bytes U16(std::uint16_t v) {
  return {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}
inline Bytes U32(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}
inline Bytes F32(float v) {
  return U32(std::bit_cast<std::uint32_t>(v));
}
inline Bytes F64(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  return Join({U32(static_cast<std::uint32_t>(bits)), U32(static_cast<std::uint32_t>(bits >> 32))});
}
inline Bytes Text(const std::string& s) {
  return Join({U16(static_cast<std::uint16_t>(s.size())), Bytes(s.begin(), s.end())});
}
// A file block: byte count, then the bytes.
inline Bytes Block(const std::string& s) {
  return Join({U32(static_cast<std::uint32_t>(s.size())), Bytes(s.begin(), s.end())});
}

class CaptureFolderTest : public WireTest {
 protected:
  void SetUp() override {
    WireTest::SetUp();
    ASSERT_TRUE(scn::InitPluginResource());
    scn::Container* prefs = GetPreferencesContainer();
    ASSERT_NE(prefs, nullptr);
    prefs->SetFilename(PrefDataFolder, scn::Filename((temp_ / "data").string()));
    std::filesystem::create_directories(temp_ / "data");
    captures_ = GetCapturesFolder().GetString();
    ASSERT_FALSE(captures_.empty());
  }
  void TearDown() override {
    FreeCompletedDownloadQueue();
    WireTest::TearDown();
  }

  std::filesystem::path Folder(const std::string& name) const { return captures_ / name; }
  std::filesystem::path MakeFolder(const std::string& name) const {
    std::filesystem::create_directories(Folder(name));
    return Folder(name);
  }
  // Every name queued so far, oldest first.
  std::vector<std::string> Completed() {
    std::vector<std::string> names;
    scn::String name;
    while (PopCompletedDownload(&name)) names.push_back(name);
    return names;
  }
  // Every file below the test's folder, relative to it, other than the host's own.
  std::vector<std::string> FilesBelowTemp() const {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(temp_.path()))
      if (e.is_regular_file() && e.path().filename() != "settings.bin" &&
          e.path().string().find("/plugin/") == std::string::npos)
        files.push_back(std::filesystem::relative(e.path(), temp_.path()).string());
    std::sort(files.begin(), files.end());
    return files;
  }

  std::filesystem::path captures_;
};
