// Record files: the tagged byte stream, type checks, sticky failures, and whole records on disk.
#include "files/recordfile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inprocesshost.h"
#include "scn/api.h"

namespace {

using host::RecordFile;

class RecordFileTest : public InProcessHostTest {
 protected:
  void ExpectMisuse(const std::string& part) {
    EXPECT_TRUE(H().diagnostics().Contains("plug-in misbehaving: " + part)) << part;
    H().diagnostics().Clear();
  }
};

std::string Text(std::initializer_list<unsigned char> b) { return std::string(b.begin(), b.end()); }

const scn::Matrix kMatrix{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};

// Writes one value of every type.
void WriteAll(scn::RecordFile* w) {
  ASSERT_TRUE(scn::WriteRecordInt32(w, -7));
  ASSERT_TRUE(scn::WriteRecordBool(w, true));
  ASSERT_TRUE(scn::WriteRecordFloat32(w, 0.25f));
  ASSERT_TRUE(scn::WriteRecordFloat64(w, -1e300));
  ASSERT_TRUE(scn::WriteRecordVector(w, {1.5, -2.5, 3.5}));
  ASSERT_TRUE(scn::WriteRecordMatrix(w, kMatrix));
  ASSERT_TRUE(scn::WriteRecordString(w, std::string("a\0b", 3)));
  ASSERT_TRUE(scn::WriteRecordFilename(w, scn::Filename("/x/y.txt")));
}

TEST_F(RecordFileTest, EveryTypeRoundTrips) {
  auto w = RecordFile::ForWriting();
  WriteAll(w.get());
  auto r = RecordFile::ForReading(RecordFile::Bytes(*w));
  scn::Int32 i = 0;
  scn::Bool b = false;
  scn::Float32 f = 0;
  scn::Float64 d = 0;
  scn::Vector v;
  scn::Matrix m;
  scn::String s;
  scn::Filename n;
  ASSERT_TRUE(scn::ReadRecordInt32(r.get(), &i));
  ASSERT_TRUE(scn::ReadRecordBool(r.get(), &b));
  ASSERT_TRUE(scn::ReadRecordFloat32(r.get(), &f));
  ASSERT_TRUE(scn::ReadRecordFloat64(r.get(), &d));
  ASSERT_TRUE(scn::ReadRecordVector(r.get(), &v));
  ASSERT_TRUE(scn::ReadRecordMatrix(r.get(), &m));
  ASSERT_TRUE(scn::ReadRecordString(r.get(), &s));
  ASSERT_TRUE(scn::ReadRecordFilename(r.get(), &n));
  EXPECT_EQ(i, -7);
  EXPECT_TRUE(b);
  EXPECT_EQ(f, 0.25f);
  EXPECT_EQ(d, -1e300);
  EXPECT_EQ(v, (scn::Vector{1.5, -2.5, 3.5}));
  EXPECT_EQ(m, kMatrix);
  EXPECT_EQ(s, std::string("a\0b", 3));
  EXPECT_EQ(n.GetString(), "/x/y.txt");
  EXPECT_TRUE(RecordFile::AtEnd(*r));
  EXPECT_FALSE(scn::ReadRecordInt32(r.get(), &i)) << "nothing left";
}

TEST_F(RecordFileTest, ValuesAreATagByteAndALittleEndianPayload) {
  auto w = RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteRecordInt32(w.get(), 0x01020304));
  ASSERT_TRUE(scn::WriteRecordBool(w.get(), false));
  ASSERT_TRUE(scn::WriteRecordFloat32(w.get(), 1.0f));
  ASSERT_TRUE(scn::WriteRecordString(w.get(), "ok"));
  ASSERT_TRUE(scn::WriteRecordFilename(w.get(), scn::Filename("f")));
  EXPECT_EQ(RecordFile::Bytes(*w), Text({
                                       0x01, 0x04, 0x03, 0x02, 0x01,      // Int32
                                       0x02, 0x00,                        // Bool false
                                       0x03, 0x00, 0x00, 0x80, 0x3F,      // Float32 1.0
                                       0x07, 0x02, 0x00, 0x00, 0x00, 'o', 'k',  // String
                                       0x08, 0x01, 0x00, 0x00, 0x00, 'f',       // Filename
                                   }));
}

TEST_F(RecordFileTest, AReadOfAnotherTypeFailsAndEveryLaterReadToo) {
  auto w = RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteRecordInt32(w.get(), 5));
  ASSERT_TRUE(scn::WriteRecordString(w.get(), "s"));
  ASSERT_TRUE(scn::WriteRecordFilename(w.get(), scn::Filename("f")));

  auto r = RecordFile::ForReading(RecordFile::Bytes(*w));
  scn::Float64 d = 0;
  EXPECT_FALSE(scn::ReadRecordFloat64(r.get(), &d)) << "an Int32 stands next";
  scn::Int32 i = 0;
  EXPECT_FALSE(scn::ReadRecordInt32(r.get(), &i)) << "the failure sticks";
  EXPECT_TRUE(RecordFile::Failed(*r));

  auto r2 = RecordFile::ForReading(RecordFile::Bytes(*w));
  ASSERT_TRUE(scn::ReadRecordInt32(r2.get(), &i));
  scn::Filename n;
  EXPECT_FALSE(scn::ReadRecordFilename(r2.get(), &n)) << "a String is no Filename";
}

TEST_F(RecordFileTest, TruncatedAndGarbledRecordsFailWithoutCrashing) {
  auto w = RecordFile::ForWriting();
  WriteAll(w.get());
  const std::string whole = RecordFile::Bytes(*w);
  // Every cut point: the reads up to the cut succeed, the one across it fails.
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    auto r = RecordFile::ForReading(whole.substr(0, cut));
    scn::Int32 i;
    scn::Bool b;
    scn::Float32 f;
    scn::Float64 d;
    scn::Vector v;
    scn::Matrix m;
    scn::String s;
    scn::Filename n;
    const bool all = scn::ReadRecordInt32(r.get(), &i) && scn::ReadRecordBool(r.get(), &b) &&
                     scn::ReadRecordFloat32(r.get(), &f) && scn::ReadRecordFloat64(r.get(), &d) &&
                     scn::ReadRecordVector(r.get(), &v) && scn::ReadRecordMatrix(r.get(), &m) &&
                     scn::ReadRecordString(r.get(), &s) && scn::ReadRecordFilename(r.get(), &n);
    EXPECT_FALSE(all) << "cut at " << cut;
  }

  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case garbled[] = {
      {"bool byte 2", Text({0x02, 0x02})},
      {"negative string count", Text({0x07, 0xFF, 0xFF, 0xFF, 0xFF, 'a'})},
      {"string count beyond the end", Text({0x07, 0x10, 0x00, 0x00, 0x00, 'a'})},
      {"unknown tag", Text({0xEE, 0x00, 0x00, 0x00, 0x00})},
  };
  for (const auto& c : garbled) {
    SCOPED_TRACE(c.what);
    auto r = RecordFile::ForReading(c.bytes);
    scn::Bool b = false;
    scn::String s = "kept";
    EXPECT_FALSE(c.bytes[0] == 0x02 ? scn::ReadRecordBool(r.get(), &b) : scn::ReadRecordString(r.get(), &s));
    EXPECT_EQ(s, "kept");
  }
}

TEST_F(RecordFileTest, FailAfterLetsThatManyValuesThroughAndThenFailsForGood) {
  auto w = RecordFile::ForWriting();
  RecordFile::FailAfter(*w, 2);
  EXPECT_TRUE(scn::WriteRecordInt32(w.get(), 1));
  EXPECT_TRUE(scn::WriteRecordMatrix(w.get(), kMatrix));
  EXPECT_FALSE(scn::WriteRecordInt32(w.get(), 3));
  EXPECT_FALSE(scn::WriteRecordBool(w.get(), true));
  EXPECT_TRUE(RecordFile::Failed(*w));
  auto r = RecordFile::ForReading(RecordFile::Bytes(*w));
  scn::Int32 i;
  scn::Matrix m;
  EXPECT_TRUE(scn::ReadRecordInt32(r.get(), &i) && scn::ReadRecordMatrix(r.get(), &m));
  EXPECT_TRUE(RecordFile::AtEnd(*r)) << "the failed writes left nothing behind";
}

TEST_F(RecordFileTest, WholeRecordsSaveAndLoad) {
  auto w = RecordFile::ForWriting();
  WriteAll(w.get());
  const auto path = temp_ / "scene.rec";
  ASSERT_TRUE(RecordFile::SaveToFile(*w, path));
  auto r = RecordFile::LoadFromFile(path);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(RecordFile::Bytes(*r), RecordFile::Bytes(*w));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "scene.rec.part"));

  EXPECT_EQ(RecordFile::LoadFromFile(temp_ / "missing.rec"), nullptr);
  EXPECT_EQ(RecordFile::LoadFromFile(temp_.Write("foreign.rec", "PK\x03\x04 not a record")), nullptr);
  EXPECT_EQ(RecordFile::LoadFromFile(temp_.Write("short.rec", "SC")), nullptr);
  EXPECT_FALSE(RecordFile::SaveToFile(*w, temp_ / "no-folder" / "x.rec"));
}

TEST_F(RecordFileTest, AFailedSaveLeavesTheEarlierFile) {
  auto w = RecordFile::ForWriting();
  ASSERT_TRUE(scn::WriteRecordInt32(w.get(), 1));
  const auto path = temp_ / "scene.rec";
  ASSERT_TRUE(RecordFile::SaveToFile(*w, path));
  const std::string before = ReadFileBytes(path);
  // The temporary file cannot be made: a folder stands in its place.
  std::filesystem::create_directory(temp_ / "scene.rec.part");
  ASSERT_TRUE(scn::WriteRecordInt32(w.get(), 2));
  EXPECT_FALSE(RecordFile::SaveToFile(*w, path));
  EXPECT_EQ(ReadFileBytes(path), before);
}

TEST_F(RecordFileTest, ReadingAWriterOrWritingAReaderIsMisuse) {
  auto w = RecordFile::ForWriting();
  scn::Int32 i;
  EXPECT_FALSE(scn::ReadRecordInt32(w.get(), &i));
  ExpectMisuse("ReadRecordInt32 on a record open for writing");
  auto r = RecordFile::ForReading("");
  EXPECT_FALSE(scn::WriteRecordInt32(r.get(), 1));
  ExpectMisuse("WriteRecordInt32 on a record open for reading");
}

}  // namespace
