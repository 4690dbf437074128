// Download answers write the capture's files into its folder below the captures folder and queue the
// finished capture; short, hostile or misdirected answers write nothing they should not.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "bodybytes.h"
#include "networking/downloadmessages.h"

namespace {

class CaptureDownloadTest : public CaptureFolderTest {
 protected:
  template <typename T>
  bool Read(T& message, const Bytes& body) {
    BitStream stream = StreamOf(body);
    return message.Serialize(false, stream);
  }
  std::string File(const std::string& capture, const std::string& file) const {
    return ReadFileBytes(Folder(capture) / file);
  }
  std::vector<std::string> StatusTexts() const { return host_->status().History(); }
};

const Bytes kSmileName = {0x00, 0x05, 'S', 'm', 'i', 'l', 'e'};  // "Smile"

TEST_F(CaptureDownloadTest, PerformanceWritesItsThreeFilesAndCompletes) {
  MakeFolder("Smile");
  const Bytes body = Join({
      kSmileName,
      {0x00, 0x03},              // image count 3, big-endian
      {0x04, 0x00, 0x00, 0x00},  // faceData.txt: 4 bytes, little-endian
      {'1', ':', '2', '~'},      //
      {0x02, 0x00, 0x00, 0x00},  // faceGeo.txt: 2 bytes
      {'g', '\n'},               //
      {0x03, 0x00, 0x00, 0x00},  // Smile_sound.m4a: 3 bytes
      {0x00, 0xFF, 0x7F},        //
  });
  PerformanceGet answer;
  ASSERT_TRUE(Read(answer, body));
  EXPECT_EQ(answer.name, "Smile");
  EXPECT_EQ(answer.imageCount, 3);
  EXPECT_EQ(File("Smile", "faceData.txt"), "1:2~");
  EXPECT_EQ(File("Smile", "faceGeo.txt"), "g\n");
  EXPECT_EQ(File("Smile", "Smile_sound.m4a"), std::string("\x00\xFF\x7F", 3));
  EXPECT_EQ(Completed(), std::vector<std::string>{"Smile"});
  const std::vector<std::string> shown = {scn::LoadResourceString(11003), scn::LoadResourceString(11004),
                                          scn::LoadResourceString(11005)};
  EXPECT_EQ(StatusTexts(), shown);
  EXPECT_EQ(host_->status().Text(), "") << "cleared at the end";
}

TEST_F(CaptureDownloadTest, BodyCaptureWritesItsThreeFilesAndCompletes) {
  MakeFolder("Walk");
  const Bytes body = Join({
      {0x00, 0x04, 'W', 'a', 'l', 'k'},  // name
      Block("motion"),                   // motionData.bin
      Block("bones"),                    // skeleton.bin
      Block("30:1"),                     // settings.txt
  });
  MotionCaptureGet answer;
  ASSERT_TRUE(Read(answer, body));
  EXPECT_EQ(File("Walk", "motionData.bin"), "motion");
  EXPECT_EQ(File("Walk", "skeleton.bin"), "bones");
  EXPECT_EQ(File("Walk", "settings.txt"), "30:1");
  EXPECT_EQ(Completed(), std::vector<std::string>{"Walk"});
  const std::vector<std::string> shown = {scn::LoadResourceString(11040), scn::LoadResourceString(11041),
                                          scn::LoadResourceString(11006)};
  EXPECT_EQ(StatusTexts(), shown);
}

TEST_F(CaptureDownloadTest, TheLastImageCompletesTheCapture) {
  MakeFolder("Smile");
  struct Case {
    std::uint16_t index;
    std::uint16_t count;
    const char* file;
    bool completes;
  };
  const Case cases[] = {{0, 3, "Smile_00000.jpg", false},
                        {2, 3, "Smile_00002.jpg", true},
                        {0, 1, "Smile_00000.jpg", true},
                        {65535, 0, "Smile_65535.jpg", false},  // no count: never the last
                        {12345, 12346, "Smile_12345.jpg", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    PerformanceGetImage answer;
    ASSERT_TRUE(Read(answer, Join({kSmileName, U16(c.index), U16(c.count), Block("jpeg")})));
    EXPECT_EQ(File("Smile", c.file), "jpeg");
    EXPECT_EQ(Completed().size(), c.completes ? 1u : 0u);
  }
}

TEST_F(CaptureDownloadTest, OptionalFilesAreWrittenOnlyWhenPresent) {
  MakeFolder("Smile");
  struct Case {
    const char* what;
    std::function<bool(const Bytes&)> read;
    Bytes tail;
    const char* file;
    const char* written;  // null: no file
  };
  auto preview = [this](const Bytes& b) {
    PerformanceGetPreview m;
    return Read(m, b);
  };
  auto movie = [this](const Bytes& b) {
    PerformanceGetMovie m;
    return Read(m, b);
  };
  auto settings = [this](const Bytes& b) {
    PerformanceGetSettings m;
    return Read(m, b);
  };
  const Case cases[] = {
      {"preview present", preview, Join({{0x01}, Block("pv")}), "preview.jpg", "pv"},
      {"preview absent: nothing more is read", preview, {0x00}, "preview.jpg", nullptr},
      {"any non-zero byte is present", movie, Join({{0x07}, Block("mv")}), "movie.mov", "mv"},
      {"movie absent", movie, {0x00}, "movie.mov", nullptr},
      {"settings after an unused number", settings, Join({{0x01}, U32(0xDEADBEEF), Block("30~")}),
       "settings.txt", "30~"},
      {"settings absent", settings, {0x00}, "settings.txt", nullptr},
      {"a block of length 0 makes no file", preview, Join({{0x01}, U32(0)}), "preview.jpg", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(Folder("Smile") / c.file);
    EXPECT_TRUE(c.read(Join({kSmileName, c.tail})));
    EXPECT_EQ(std::filesystem::exists(Folder("Smile") / c.file), c.written != nullptr);
    if (c.written) {
      EXPECT_EQ(File("Smile", c.file), c.written);
    }
  }
  EXPECT_TRUE(Completed().empty()) << "previews, movies and settings finish no download";
}

TEST_F(CaptureDownloadTest, AnExistingFileIsReplaced) {
  MakeFolder("Smile");
  std::filesystem::path preview = Folder("Smile") / "preview.jpg";
  temp_.Write(std::filesystem::relative(preview, temp_.path()).string(), "an older and longer preview");
  PerformanceGetPreview answer;
  ASSERT_TRUE(Read(answer, Join({kSmileName, {0x01}, Block("new")})));
  EXPECT_EQ(File("Smile", "preview.jpg"), "new");
}

// Each answer kind, complete, for the rows that cut or misdirect it.
struct AnswerRow {
  const char* what;
  std::function<std::unique_ptr<PublishMessage>()> make;
  Bytes body;
  std::vector<const char*> files;
};

std::vector<AnswerRow> Answers() {
  return {
      {"performance",
       [] { return std::make_unique<PerformanceGet>(); },
       Join({kSmileName, U16(1), Block("data"), Block("geo"), Block("snd")}),
       {"faceData.txt", "faceGeo.txt", "Smile_sound.m4a"}},
      {"image",
       [] { return std::make_unique<PerformanceGetImage>(); },
       Join({kSmileName, U16(0), U16(1), Block("jpeg")}),
       {"Smile_00000.jpg"}},
      {"preview",
       [] { return std::make_unique<PerformanceGetPreview>(); },
       Join({kSmileName, {0x01}, Block("pv")}),
       {"preview.jpg"}},
      {"movie",
       [] { return std::make_unique<PerformanceGetMovie>(); },
       Join({kSmileName, {0x01}, Block("mv")}),
       {"movie.mov"}},
      {"settings",
       [] { return std::make_unique<PerformanceGetSettings>(); },
       Join({kSmileName, {0x01}, U32(5), Block("30")}),
       {"settings.txt"}},
      {"body capture",
       [] { return std::make_unique<MotionCaptureGet>(); },
       Join({kSmileName, Block("m"), Block("s"), Block("t")}),
       {"motionData.bin", "skeleton.bin", "settings.txt"}},
  };
}

TEST_F(CaptureDownloadTest, EveryCutAnswerFailsAndCompletesNothing) {
  MakeFolder("Smile");
  for (const AnswerRow& row : Answers()) {
    SCOPED_TRACE(row.what);
    for (std::size_t cut = 0; cut < row.body.size(); ++cut) {
      BitStream stream = StreamOf(Bytes(row.body.begin(), row.body.begin() + static_cast<long>(cut)));
      EXPECT_FALSE(row.make()->Serialize(false, stream)) << "cut at " << cut;
    }
    BitStream whole = StreamOf(row.body);
    EXPECT_TRUE(row.make()->Serialize(false, whole)) << "the whole answer";
    EXPECT_FALSE(whole.HasMore());
    for (const char* file : row.files) EXPECT_TRUE(std::filesystem::exists(Folder("Smile") / file)) << file;
  }
  EXPECT_EQ(Completed().size(), 3u) << "only the three whole answers that finish a capture";
}

TEST_F(CaptureDownloadTest, AMissingCaptureFolderFailsBeforeAnyFileIsWritten) {
  for (const AnswerRow& row : Answers()) {
    SCOPED_TRACE(row.what);
    BitStream stream = StreamOf(row.body);
    EXPECT_FALSE(row.make()->Serialize(false, stream));
    EXPECT_FALSE(std::filesystem::exists(Folder("Smile"))) << "download answers never make the folder";
  }
  EXPECT_TRUE(Completed().empty());
  EXPECT_TRUE(host_->diagnostics().Contains("no capture folder"));
}

TEST_F(CaptureDownloadTest, ABlockPromisingMoreThanArrivedWritesNothing) {
  MakeFolder("Smile");
  struct Case {
    const char* what;
    Bytes block;
  };
  const Case cases[] = {
      {"4 GiB promised, 3 bytes sent", Join({U32(0xFFFFFFFF), {'a', 'b', 'c'}})},
      {"2 GiB promised, nothing sent", U32(0x80000000)},
      {"one byte short", Join({U32(4), {'a', 'b', 'c'}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PerformanceGetPreview answer;
    EXPECT_FALSE(Read(answer, Join({kSmileName, {0x01}, c.block})));
    EXPECT_FALSE(std::filesystem::exists(Folder("Smile") / "preview.jpg"));
  }
  EXPECT_TRUE(host_->diagnostics().Contains("preview.jpg promises 4294967295 bytes, 3 arrived"));
}

TEST_F(CaptureDownloadTest, AFailedFileFailsTheDownload) {
  MakeFolder("Smile");
  // A folder where the file should go cannot be opened for writing.
  std::filesystem::create_directories(Folder("Smile") / "faceGeo.txt");
  PerformanceGet answer;
  EXPECT_FALSE(Read(answer, Join({kSmileName, U16(1), Block("data"), Block("geo"), Block("snd")})));
  EXPECT_EQ(File("Smile", "faceData.txt"), "data") << "files already written stay";
  EXPECT_FALSE(std::filesystem::exists(Folder("Smile") / "Smile_sound.m4a"));
  EXPECT_TRUE(Completed().empty());
}

TEST_F(CaptureDownloadTest, HostileCaptureNamesAreRefused) {
  // Folders a hostile name could reach if it were joined as it is.
  std::filesystem::create_directories(temp_ / "data" / "outside");
  const std::string hostile[] = {
      "",
      "..",
      ".",
      "../outside",
      "../../data",
      "/tmp",
      "a/b",
      "..\\x",
      "C:\\Windows",
      "C:x",
      "Smile:ads",
      std::string("Smile\0.jpg", 10),
      std::string(1, '\0'),
  };
  const std::vector<std::string> before = FilesBelowTemp();
  MakeFolder("Smile");
  for (const std::string& name : hostile) {
    SCOPED_TRACE(Hex(Bytes(name.begin(), name.end())));
    const Bytes named = Text(name);
    const std::vector<std::pair<std::unique_ptr<PublishMessage>, Bytes>> answers = [&] {
      std::vector<std::pair<std::unique_ptr<PublishMessage>, Bytes>> list;
      list.emplace_back(std::make_unique<PerformanceGet>(),
                        Join({named, U16(1), Block("d"), Block("g"), Block("s")}));
      list.emplace_back(std::make_unique<PerformanceGetImage>(), Join({named, U16(0), U16(1), Block("j")}));
      list.emplace_back(std::make_unique<PerformanceGetPreview>(), Join({named, {0x01}, Block("p")}));
      list.emplace_back(std::make_unique<PerformanceGetMovie>(), Join({named, {0x01}, Block("m")}));
      list.emplace_back(std::make_unique<PerformanceGetSettings>(),
                        Join({named, {0x01}, U32(0), Block("s")}));
      list.emplace_back(std::make_unique<MotionCaptureGet>(),
                        Join({named, Block("m"), Block("s"), Block("t")}));
      return list;
    }();
    for (const auto& [message, body] : answers) {
      host_->diagnostics().Clear();
      BitStream stream = StreamOf(body);
      EXPECT_FALSE(message->Serialize(false, stream)) << message->GetName();
      EXPECT_TRUE(host_->diagnostics().Contains("refusing capture name")) << message->GetName();
    }
  }
  EXPECT_EQ(FilesBelowTemp(), before) << "no file was written anywhere";
  EXPECT_TRUE(Completed().empty());
}

TEST_F(CaptureDownloadTest, WithoutACapturesFolderNothingIsWritten) {
  GetPreferencesContainer()->SetFilename(PrefDataFolder, scn::Filename());
  const std::vector<std::string> before = FilesBelowTemp();
  PerformanceGet answer;
  EXPECT_FALSE(Read(answer, Join({kSmileName, U16(1), Block("d"), Block("g"), Block("s")})));
  EXPECT_EQ(FilesBelowTemp(), before);
  EXPECT_FALSE(std::filesystem::exists("Smile")) << "never relative to the working folder";
}

TEST_F(CaptureDownloadTest, CompletedCapturesLeaveTheQueueInArrivalOrder) {
  for (const char* name : {"One", "Two", "Three"}) {
    MakeFolder(name);
    MotionCaptureGet answer;
    ASSERT_TRUE(Read(answer, Join({Text(name), Block("m"), Block("s"), Block("t")})));
  }
  EXPECT_EQ(Completed(), (std::vector<std::string>{"One", "Two", "Three"}));
}

TEST_F(CaptureDownloadTest, AQueueThatCannotGrowLosesTheNameButNotTheFiles) {
  MakeFolder("Walk");
  host_->memory().FailAllocationsAt("completeddownloadqueue", -1);
  MotionCaptureGet answer;
  EXPECT_TRUE(Read(answer, Join({Text("Walk"), Block("m"), Block("s"), Block("t")})));
  host_->memory().ClearFailures();
  EXPECT_EQ(File("Walk", "motionData.bin"), "m");
  EXPECT_TRUE(Completed().empty());
  EXPECT_TRUE(host_->diagnostics().Contains("\"Walk\" finished but could not be queued"));
}

}  // namespace
