// Host files through the sdk: typed values in both byte orders, strings, the read window across
// buffer refills, errors, and writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/fileservice.h"
#include "files/hostfile.h"
#include "inprocesshost.h"
#include "scn/api.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }

class HostFileTest : public InProcessHostTest {
 protected:
  void TearDown() override {
    for (scn::HostFile*& f : files_) scn::FreeFile(f);
    EXPECT_EQ(host::FileService::LiveFiles(), 0);
    InProcessHostTest::TearDown();
  }

  // A file open in the given mode, freed after the test.
  scn::HostFile* Open(const std::filesystem::path& path, scn::FileMode mode,
                      scn::ByteOrder order = scn::kByteOrderIntel) {
    scn::HostFile* f = scn::AllocateFile();
    files_.push_back(f);
    EXPECT_TRUE(scn::OpenFile(f, path.string(), mode, order)) << path;
    return f;
  }
  scn::HostFile* OpenBytes(const std::string& bytes, scn::ByteOrder order = scn::kByteOrderIntel) {
    return Open(temp_.Write("in.bin", bytes), scn::kFileRead, order);
  }
  // Clears the misuse reports a test provoked on purpose, after checking there was one.
  void ExpectMisuse(const std::string& part) {
    EXPECT_TRUE(H().diagnostics().Contains("plug-in misbehaving: " + part)) << part;
    H().diagnostics().Clear();
  }

  std::vector<scn::HostFile*> files_;
};

struct OrderCase {
  scn::ByteOrder order;
  Bytes bytes;  // what the writes below leave in the file
};

const OrderCase kOrders[] = {
    {scn::kByteOrderIntel,
     {
         0x78, 0x56, 0x34, 0x12,                          // Int32 0x12345678
         0xFE, 0xFF, 0xFF, 0xFF,                          // Int32 -2
         0x00, 0x00, 0xC0, 0x3F,                          // Float32 1.5
         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0,  // Float64 -2.5
         0x02, 0x00, 0x00, 0x00, 'h', 'i',                // String "hi"
         0x7F,                                            // byte
     }},
    {scn::kByteOrderMotorola,
     {
         0x12, 0x34, 0x56, 0x78,                          // Int32 0x12345678
         0xFF, 0xFF, 0xFF, 0xFE,                          // Int32 -2
         0x3F, 0xC0, 0x00, 0x00,                          // Float32 1.5
         0xC0, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // Float64 -2.5
         0x00, 0x00, 0x00, 0x02, 'h', 'i',                // String "hi"
         0x7F,                                            // byte
     }},
};

TEST_F(HostFileTest, TypedValuesHaveTheFilesByteOrderAndReadBack) {
  for (const auto& c : kOrders) {
    SCOPED_TRACE(c.order == scn::kByteOrderIntel ? "Intel" : "Motorola");
    const auto path = temp_ / "typed.bin";
    scn::HostFile* out = Open(path, scn::kFileWrite, c.order);
    ASSERT_TRUE(scn::WriteFileInt32(out, 0x12345678));
    ASSERT_TRUE(scn::WriteFileInt32(out, -2));
    ASSERT_TRUE(scn::WriteFileFloat32(out, 1.5f));
    ASSERT_TRUE(scn::WriteFileFloat64(out, -2.5));
    ASSERT_TRUE(scn::WriteFileString(out, "hi"));
    ASSERT_TRUE(scn::WriteFileByte(out, 0x7F));
    EXPECT_EQ(scn::GetFileSize(out), static_cast<scn::Int64>(c.bytes.size()));
    ASSERT_TRUE(scn::CloseFile(out));
    EXPECT_EQ(ReadFileBytes(path), Text(c.bytes));

    scn::HostFile* in = Open(path, scn::kFileRead, c.order);
    scn::Int32 i = 0, j = 0, b = 0;
    scn::Float32 f = 0;
    scn::Float64 d = 0;
    scn::String s;
    ASSERT_TRUE(scn::ReadFileInt32(in, &i) && scn::ReadFileInt32(in, &j) && scn::ReadFileFloat32(in, &f) &&
                scn::ReadFileFloat64(in, &d) && scn::ReadFileString(in, &s) && scn::ReadFileByte(in, &b));
    EXPECT_EQ(i, 0x12345678);
    EXPECT_EQ(j, -2);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -2.5);
    EXPECT_EQ(s, "hi");
    EXPECT_EQ(b, 0x7F);
    EXPECT_EQ(scn::GetFileError(in), 0);
  }
}

TEST_F(HostFileTest, StringCountsThatCannotBeTrueFailWithoutReadingOn) {
  struct Case {
    const char* what;
    Bytes bytes;
    bool ok;
  };
  const Case cases[] = {
      {"count fits exactly", {0x03, 0, 0, 0, 'a', 'b', 'c'}, true},
      {"empty string", {0, 0, 0, 0}, true},
      {"negative count", {0xFF, 0xFF, 0xFF, 0xFF, 'a'}, false},
      {"one byte beyond the file", {0x04, 0, 0, 0, 'a', 'b', 'c'}, false},
      {"absurd count", {0xFF, 0xFF, 0xFF, 0x7F, 'a'}, false},
      {"count cut short", {0x03, 0}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    scn::HostFile* f = OpenBytes(Text(c.bytes));
    scn::String s = "before";
    EXPECT_EQ(scn::ReadFileString(f, &s), c.ok);
    if (c.ok) {
      EXPECT_EQ(s, Text(c.bytes).substr(4));
      EXPECT_EQ(scn::GetFileError(f), 0);
    } else {
      EXPECT_EQ(s, "before");
      EXPECT_NE(scn::GetFileError(f), 0);
    }
  }
}

TEST_F(HostFileTest, ReadFileCharCrossesBufferRefillsAndMixesWithTypedReads) {
  // Three and a bit buffers; an Int32 straddles the first refill.
  std::string bytes(3 * host::kFileBufferSize + 7, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  scn::HostFile* f = OpenBytes(bytes);

  std::string read;
  char c;
  for (std::size_t i = 0; i < host::kFileBufferSize - 2; ++i) {
    ASSERT_TRUE(scn::ReadFileChar(f, &c));
    read.push_back(c);
  }
  scn::Int32 straddling = 0;
  ASSERT_TRUE(scn::ReadFileInt32(f, &straddling));
  read.append(reinterpret_cast<const char*>(&straddling), 4);  // little-endian machine, Intel file
  while (scn::ReadFileChar(f, &c)) read.push_back(c);

  EXPECT_EQ(read.size(), bytes.size());
  EXPECT_TRUE(read == bytes);
  EXPECT_EQ(scn::GetFileError(f), 0) << "plain end of file is no error";
  EXPECT_FALSE(scn::ReadFileChar(f, &c)) << "end of file stays";
}

TEST_F(HostFileTest, ATypedReadPastTheEndIsAnErrorThatStays) {
  scn::HostFile* f = OpenBytes(std::string("\x01\x00\x00\x00\x02\x00", 6));
  scn::Int32 v = 0;
  EXPECT_EQ(scn::GetFileError(f), 0);
  ASSERT_TRUE(scn::ReadFileInt32(f, &v));
  EXPECT_EQ(v, 1);
  EXPECT_FALSE(scn::ReadFileInt32(f, &v)) << "only two bytes left";
  EXPECT_EQ(scn::GetFileError(f), host::kFileEndOfFile);
  char c;
  EXPECT_FALSE(scn::ReadFileChar(f, &c)) << "nothing more once the file failed";
  scn::Float64 d = 0;
  EXPECT_FALSE(scn::ReadFileFloat64(f, &d));
  EXPECT_EQ(scn::GetFileError(f), host::kFileEndOfFile) << "the first failure's code";
}

TEST_F(HostFileTest, OpeningFailsForMissingFilesFoldersAndEmptyNames) {
  const std::string names[] = {(temp_ / "missing.bin").string(), temp_.path().string(), ""};
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    scn::HostFile* f = scn::AllocateFile();
    files_.push_back(f);
    EXPECT_FALSE(scn::OpenFile(f, name, scn::kFileRead));
    EXPECT_EQ(scn::GetFileError(f), host::kFileOpenFailed);
    EXPECT_EQ(scn::GetFileSize(f), -1);
  }
  scn::HostFile* w = scn::AllocateFile();
  files_.push_back(w);
  EXPECT_FALSE(scn::OpenFile(w, (temp_ / "no-folder" / "x.bin").string(), scn::kFileWrite));
  EXPECT_FALSE(std::filesystem::exists(temp_ / "no-folder"));
}

TEST_F(HostFileTest, OpenKeepsTypeCreatorAndSize) {
  scn::HostFile* f = scn::AllocateFile();
  files_.push_back(f);
  const auto path = temp_.Write("sized.bin", std::string(1000, 'x'));
  ASSERT_TRUE(scn::OpenFile(f, path.string(), scn::kFileRead, scn::kByteOrderMotorola, scn::MakeCode("SCNC"),
                            scn::MakeCode("SCN1")));
  EXPECT_EQ(f->type, scn::MakeCode("SCNC"));
  EXPECT_EQ(f->creator, scn::MakeCode("SCN1"));
  EXPECT_EQ(scn::GetFileSize(f), 1000);
}

TEST_F(HostFileTest, WritingTruncatesAndReachesTheDiskOnCloseOrFree) {
  const auto path = temp_.Write("old.bin", std::string(5000, 'o'));
  scn::HostFile* f = Open(path, scn::kFileWrite);
  ASSERT_TRUE(scn::WriteFileBytes(f, "new", 3));
  EXPECT_EQ(ReadFileBytes(path), "") << "opening truncates; the bytes wait in the buffer";
  ASSERT_TRUE(scn::CloseFile(f));
  EXPECT_EQ(ReadFileBytes(path), "new");

  // Larger than the buffer, and freed while still open.
  std::string big(2 * host::kFileBufferSize + 123, 'b');
  scn::HostFile* g = scn::AllocateFile();
  ASSERT_TRUE(scn::OpenFile(g, path.string(), scn::kFileWrite));
  ASSERT_TRUE(scn::WriteFileBytes(g, big.data(), static_cast<scn::Int64>(big.size())));
  scn::FreeFile(g);
  EXPECT_EQ(g, nullptr);
  EXPECT_TRUE(ReadFileBytes(path) == big);
}

TEST_F(HostFileTest, AFailedFlushMakesCloseFail) {
  // /dev/full takes the open and refuses every write.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  scn::HostFile* f = Open("/dev/full", scn::kFileWrite);
  ASSERT_TRUE(scn::WriteFileInt32(f, 7)) << "buffered";
  EXPECT_FALSE(scn::CloseFile(f));
  EXPECT_EQ(scn::GetFileError(f), host::kFileWriteFailed);

  scn::HostFile* g = Open("/dev/full", scn::kFileWrite);
  std::string big(host::kFileBufferSize + 1, 'x');
  EXPECT_FALSE(scn::WriteFileBytes(g, big.data(), static_cast<scn::Int64>(big.size())))
      << "a full buffer is flushed on the way";
  EXPECT_FALSE(scn::WriteFileInt32(g, 1)) << "later writes fail too";
  EXPECT_FALSE(scn::CloseFile(g));
}

TEST_F(HostFileTest, MisuseIsReportedAndFails) {
  scn::HostFile* w = Open(temp_ / "w.bin", scn::kFileWrite);
  scn::Int32 v = 0;
  EXPECT_FALSE(scn::ReadFileInt32(w, &v));
  EXPECT_EQ(scn::GetFileError(w), host::kFileWrongMode);
  ExpectMisuse("ReadFileInt32 on a file not open for reading");

  scn::HostFile* r = OpenBytes("abc");
  EXPECT_FALSE(scn::WriteFileInt32(r, 1));
  ExpectMisuse("WriteFileInt32 on a file not open for writing");

  scn::HostFile* closed = OpenBytes("abc");
  ASSERT_TRUE(scn::CloseFile(closed));
  char c;
  EXPECT_FALSE(scn::ReadFileChar(closed, &c));
  ExpectMisuse("ReadFileChar on a file not open for reading");
  EXPECT_FALSE(scn::CloseFile(closed));
  ExpectMisuse("CloseFile on a file that is not open");
}

TEST_F(HostFileTest, FreedFilesAreCounted) {
  scn::HostFile* f = scn::AllocateFile();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(host::FileService::LiveFiles(), 1);
  scn::FreeFile(f);
  EXPECT_EQ(host::FileService::LiveFiles(), 0);
  scn::FreeFile(f);  // null is ignored
}

}  // namespace
