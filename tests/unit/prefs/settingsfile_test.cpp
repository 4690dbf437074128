// The host's settings file: its binary form, its atomic save and the host's handling of bad files.
#include "prefs/settingsfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/host.h"
#include "prefs/prefsservice.h"
#include "prefs/settingscodec.h"
#include "tempdir.h"

namespace {

using host::DecodeSettings;
using host::EncodeSettings;

// One value of every type, nested containers included.
scn::Container EveryValueType() {
  scn::Container inner;
  inner.SetString(1, "inner");
  inner.SetContainer(2, scn::Container());
  scn::Container middle;
  middle.SetContainer(-3, inner);
  middle.SetInt32(4, 4);

  scn::Container c;
  c.Set(-100, scn::Value{});
  c.SetInt32(1, std::numeric_limits<scn::Int32>::min());
  c.SetInt32(2, -1);
  c.SetBool(3, true);
  c.SetBool(4, false);
  c.SetFloat(5, -0.0);
  c.SetFloat(6, std::numeric_limits<double>::infinity());
  c.SetFloat(7, std::numeric_limits<double>::denorm_min());
  c.SetVector(8, {1.5, -2.25, 1e300});
  c.SetMatrix(9, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}});
  c.SetString(10, std::string("zero\0byte", 9) + " and \xC3\xA9");
  c.SetString(11, "");
  c.SetFilename(12, scn::Filename("/data/caps/My Capture"));
  c.SetContainer(13, middle);
  c.SetLink(14, std::numeric_limits<scn::Int64>::min() + 7);
  c.SetInt32(std::numeric_limits<scn::Int32>::max(), 9);
  return c;
}

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char ch : bytes) {
    h ^= ch;
    h *= 1099511628211ull;
  }
  return h;
}

void PutLittle(std::string& out, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A file around a hand-made body, with the right hash so that the body itself is judged.
std::string FileWithBody(const std::string& body, std::uint32_t version = 1) {
  std::string out = "KSET";
  PutLittle(out, version, 4);
  PutLittle(out, Fnv1a(body), 8);
  return out + body;
}

TEST(SettingsCodec, EveryValueTypeRoundTrips) {
  const scn::Container c = EveryValueType();
  scn::Container back;
  std::string error;
  ASSERT_TRUE(DecodeSettings(EncodeSettings(c), &back, &error)) << error;
  EXPECT_TRUE(back == c);
  EXPECT_TRUE(std::signbit(back.GetFloat(5))) << "-0.0 keeps its sign";
  EXPECT_EQ(back.GetType(-100), scn::ValueType::None);
  EXPECT_EQ(back.GetType(12), scn::ValueType::Filename) << "a file name stays a file name, not a string";
}

TEST(SettingsCodec, TheLayoutIsLittleEndianAsDocumented) {
  scn::Container c;
  c.SetInt32(0x01020304, 0x0A0B0C0D);
  const std::string body = std::string("\x01\x00\x00\x00", 4) +  // one entry
                           "\x04\x03\x02\x01" +                  // id
                           "\x01" +                              // type Int32
                           "\x0D\x0C\x0B\x0A";                   // value
  EXPECT_EQ(EncodeSettings(c), FileWithBody(body));
}

TEST(SettingsCodec, EveryCutOrChangedByteIsRefused) {
  const std::string good = EncodeSettings(EveryValueType());
  scn::Container out;
  out.SetInt32(1, 1);
  std::string error;
  for (std::size_t n = 0; n < good.size(); ++n)
    EXPECT_FALSE(DecodeSettings(good.substr(0, n), &out, &error)) << "cut to " << n << " bytes";
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x10);
    EXPECT_FALSE(DecodeSettings(bad, &out, &error)) << "byte " << i << " changed";
  }
  EXPECT_TRUE(out == [] {
    scn::Container c;
    c.SetInt32(1, 1);
    return c;
  }()) << "a refused file writes nothing";
}

struct BadBody {
  const char* why;
  std::string bytes;
  const char* errorPart;
};

std::string Entry(std::uint32_t id, std::uint8_t type, const std::string& payload) {
  std::string out;
  PutLittle(out, id, 4);
  out += static_cast<char>(type);
  return out + payload;
}
std::string Count(std::uint32_t n) {
  std::string out;
  PutLittle(out, n, 4);
  return out;
}

TEST(SettingsCodec, MalformedBodiesWithAGoodHashAreRefused) {
  const std::vector<BadBody> rows = {
      {"unknown type", Count(1) + Entry(1, 10, ""), "unknown type code 10"},
      {"bool neither 0 nor 1", Count(1) + Entry(1, 2, "\x02"), "bool of value 2"},
      {"ids out of order", Count(2) + Entry(5, 1, "AAAA") + Entry(4, 1, "AAAA"), "out of order"},
      {"id twice", Count(2) + Entry(5, 1, "AAAA") + Entry(5, 1, "AAAA"), "out of order"},
      {"count beyond the file", Count(1000000), "beyond the file"},
      {"text beyond the file", Count(1) + Entry(1, 6, Count(50) + "short"), "beyond the file"},
      {"bytes left over", Count(0) + "x", "left"},
      {"truncated value", Count(1) + Entry(1, 3, "1234"), "truncated"},
  };
  for (const auto& row : rows) {
    scn::Container out;
    std::string error;
    EXPECT_FALSE(DecodeSettings(FileWithBody(row.bytes), &out, &error)) << row.why;
    EXPECT_NE(error.find(row.errorPart), std::string::npos) << row.why << ": " << error;
  }
  scn::Container out;
  std::string error;
  EXPECT_FALSE(DecodeSettings(FileWithBody(Count(0), 2), &out, &error));
  EXPECT_NE(error.find("version 2"), std::string::npos) << error;
  EXPECT_FALSE(DecodeSettings("KSEX" + FileWithBody(Count(0)).substr(4), &out, &error));
  EXPECT_TRUE(DecodeSettings(FileWithBody(Count(0)), &out, &error)) << "the empty container";
}

TEST(SettingsCodec, NestingIsBoundedSoACraftedFileCannotExhaustTheStack) {
  auto nested = [](int depth) {
    scn::Container c;
    for (int i = 0; i < depth; ++i) {
      scn::Container outer;
      outer.SetContainer(1, c);
      c = outer;
    }
    return c;
  };
  scn::Container out;
  std::string error;
  EXPECT_TRUE(DecodeSettings(EncodeSettings(nested(host::kSettingsMaxDepth)), &out, &error)) << error;
  EXPECT_FALSE(DecodeSettings(EncodeSettings(nested(host::kSettingsMaxDepth + 1)), &out, &error));
  EXPECT_NE(error.find("too deep"), std::string::npos);
}

TEST(SettingsFile, SaveAndLoadRoundTripWithoutLeavingATemporaryFile) {
  TempDir temp;
  const auto file = temp / "config/sub/settings.bin";  // parent folders are made
  std::string error;
  ASSERT_TRUE(host::SaveSettingsFile(file, EveryValueType(), &error)) << error;
  EXPECT_FALSE(std::filesystem::exists(file.string() + ".tmp"));
  scn::Container back;
  ASSERT_EQ(host::LoadSettingsFile(file, &back, &error), host::SettingsLoad::Loaded) << error;
  EXPECT_TRUE(back == EveryValueType());
  EXPECT_EQ(host::LoadSettingsFile(temp / "none.bin", &back, &error), host::SettingsLoad::Missing);
  EXPECT_EQ(host::LoadSettingsFile(temp / "config", &back, &error), host::SettingsLoad::Unreadable);
}

TEST(SettingsFile, AFailedSaveLeavesTheOldFileWhole) {
  TempDir temp;
  const auto file = temp / "settings.bin";
  scn::Container old;
  old.SetString(1, "old");
  std::string error;
  ASSERT_TRUE(host::SaveSettingsFile(file, old, &error));
  const std::string before = ReadFileBytes(file);
  std::filesystem::create_directory(file.string() + ".tmp");  // the temporary file cannot be made
  EXPECT_FALSE(host::SaveSettingsFile(file, EveryValueType(), &error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
  EXPECT_EQ(ReadFileBytes(file), before);
}

// The host on its settings file: what it saves at its end it reads at its next start; a corrupt file
// neither crashes it nor is lost.
TEST(HostSettings, AreKeptAcrossHostsAndACorruptFileIsSetAside) {
  TempDir temp;
  const auto file = temp / "settings.bin";
  {
    host::Host h({file, false});
    EXPECT_TRUE(h.prefs().WorldSettings().Values().empty()) << "no file yet";
    h.prefs().WorldSettings().SetContainer(1040655, EveryValueType());
  }
  {
    host::Host h({file, false});
    const scn::Container* prefs = h.prefs().WorldSettings().GetContainerInstance(1040655);
    ASSERT_NE(prefs, nullptr);
    EXPECT_TRUE(*prefs == EveryValueType());
  }

  const std::string garbage = "KSET, but definitely not settings";
  temp.Write("settings.bin", garbage);
  {
    host::Host h({file, false});
    EXPECT_TRUE(h.prefs().WorldSettings().Values().empty());
    EXPECT_TRUE(h.diagnostics().Contains("is corrupt"));
    EXPECT_TRUE(h.diagnostics().Misbehaviours().empty());
    EXPECT_EQ(ReadFileBytes(file.string() + ".corrupt"), garbage);
    h.prefs().WorldSettings().SetInt32(1, 1);
  }
  scn::Container back;
  std::string error;
  ASSERT_EQ(host::LoadSettingsFile(file, &back, &error), host::SettingsLoad::Loaded) << error;
  EXPECT_EQ(back.GetInt32(1), 1);
}

TEST(HostSettings, AnUnwritableSettingsFileIsReportedNotFatal) {
  TempDir temp;
  const auto file = temp / "settings.bin";
  host::Host h({file, false});
  std::filesystem::create_directory(file.string() + ".tmp");
  EXPECT_FALSE(h.SaveSettings());
  EXPECT_TRUE(h.diagnostics().Contains("settings not saved"));
}

}  // namespace
