// The phone link end to end: the real server in this process, the phone simulator as a separate program
// serving capture folders made by the fixture generator, downloads checked byte for byte.
#include <gtest/gtest.h>
#include <sys/time.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "basecapture.h"
#include "childprocess.h"
#include "inprocesshost.h"
#include "kinetra_fixture/bodycapturefixture.h"
#include "kinetra_fixture/facecapturefixture.h"
#include "net/netservice.h"
#include "networking/capturelistmessages.h"
#include "networking/completeddownloadqueue.h"
#include "networking/downloadmessages.h"
#include "networking/lightmqtt.h"
#include "networking/messagecallbacks.h"
#include "networking/sessionmessages.h"
#include "preferences.h"
#include "scn/api.h"
#include "threads/threadservice.h"

namespace {

namespace fs = std::filesystem;
namespace fx = kinetra::fixture;
using namespace std::chrono_literals;

constexpr auto kWait = 30s;  // generous: the ThreadSanitizer build is slow
constexpr int kFaceImages = 4;
constexpr double kSmileTime = 1700000000.5;
constexpr double kWalkTime = 1700000100.25;

// What reached the plug-in's side of the link, for the test thread to wait on.
class Recorder : public MessageCallbacks {
 public:
  void OnConnected(ConnectedMsg& m) override { Note(102); }
  void OnGetVersion(GetVersionMsg& m) override {
    Note(m.GetKind(), [&] { version = {m.firstText, m.secondText, std::to_string(m.number)}; });
  }
  void OnGetPerformances(GetPerformances& m) override {
    Note(m.GetKind(), [&] { faces = m.captures; });
  }
  void OnGetMotionCaptures(GetMotionCaptures& m) override {
    Note(m.GetKind(), [&] { bodies = m.captures; });
  }
  void OnPerformanceGet(PerformanceGet& m) override {
    Note(m.GetKind(), [&] { faceImageCount = m.imageCount; });
  }
  void OnMessage(PublishMessage& m) override { Note(m.GetKind()); }

  // Waits until messages of the kind arrived count times in all.
  bool WaitFor(scn::UInt32 kind, int count = 1) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, kWait, [&] { return counts[kind] >= count; });
  }
  int Count(scn::UInt32 kind) {
    std::lock_guard lock(mutex);
    return counts[kind];
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::map<scn::UInt32, int> counts;
  std::vector<std::string> version;
  std::vector<CaptureInfo> faces, bodies;
  int faceImageCount = -1;

 private:
  void Note(scn::UInt32 kind, const std::function<void()>& keep = {}) {
    std::lock_guard lock(mutex);
    if (keep) keep();
    ++counts[kind];
    changed.notify_all();
  }
};

void SetModified(const fs::path& file, double seconds) {
  const auto whole = static_cast<time_t>(seconds);
  const timeval times[2] = {{whole, static_cast<suseconds_t>((seconds - whole) * 1e6)},
                            {whole, static_cast<suseconds_t>((seconds - whole) * 1e6)}};
  ASSERT_EQ(::utimes(file.c_str(), times), 0) << file;
}

// Every file of a folder but "capture.info" (which each side writes for itself), with its bytes.
std::map<std::string, std::string> FilesOf(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename() != "capture.info")
      files[entry.path().filename().string()] = ReadFileBytes(entry.path());
  return files;
}

std::vector<std::string> CompletedDownloads() {
  std::vector<std::string> names;
  scn::String name;
  while (PopCompletedDownload(&name)) names.push_back(name);
  return names;
}

class PhoneSimTest : public InProcessHostTest {
 protected:
  void SetUp() override {
    InProcessHostTest::SetUp();
    ASSERT_TRUE(scn::InitPluginResource());
    scn::Container* prefs = GetPreferencesContainer();
    ASSERT_NE(prefs, nullptr);
    fs::create_directories(temp_ / "data");
    prefs->SetFilename(PrefDataFolder, scn::Filename((temp_ / "data").string()));
    captures_ = GetCapturesFolder().GetString();
    ASSERT_FALSE(captures_.empty());
    MakePhoneCaptures();
    StartServer();
  }

  void TearDown() override {
    if (phone_) SayGoodbye();
    server_->Stop();
    if (phone_) {
      EXPECT_EQ(phone_->WaitForExit(kWait), 0) << phone_->Output();
      EXPECT_TRUE(phone_->Lines("error").empty()) << phone_->Output();
    }
    server_.reset();
    EXPECT_EQ(H().threads().RunningCount(), 0u);
    EXPECT_EQ(H().net().OpenCount(), 0u);
    FreeCompletedDownloadQueue();
    InProcessHostTest::TearDown();
  }

  void MakePhoneCaptures() {
    fx::FaceCaptureOptions face;
    face.name = "Smile";
    face.frameCount = kFaceImages;
    face.imageWidth = 160;  // images larger than one 4096-byte read of the server
    face.imageHeight = 120;
    std::string error;
    ASSERT_TRUE(fx::WriteFaceCapture(phoneFolder_, face, &error)) << error;
    fx::BodyCaptureOptions body;
    body.name = "Walk";
    body.frameCount = 6;
    ASSERT_TRUE(fx::WriteBodyCapture(phoneFolder_, body, &error)) << error;
    SetModified(phoneFolder_ / "Smile" / "settings.txt", kSmileTime);
    SetModified(phoneFolder_ / "Walk" / "settings.txt", kWalkTime);
  }

  // As the capture manager does when its window goes: tell the phone, then stop the server.
  void SayGoodbye() {
    DisconnectingMsg goodbye;
    server_->SendMessage(goodbye);
    EXPECT_TRUE(phone_->WaitForLine("disconnecting", kWait)) << phone_->Output();
  }

  void StartServer() {
    LightMQTTSettings settings;
    settings.port = 0;
    server_->Configure("127.0.0.1", settings);
    server_->AddCallback(&recorder_);
    ASSERT_TRUE(server_->StartThread());
    for (int i = 0; i < 500 && !server_->HasListener(); ++i) std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(server_->HasListener());
    port_ = H().net().LastListenerPort();
  }

  // Starts the phone on the fixture folders and waits until it is connected.
  void StartPhone(const std::vector<std::string>& faults = {}) {
    std::vector<std::string> argv = {
        "/usr/bin/python3", KINETRA_PHONE_SIM,     "--port",    std::to_string(port_),
        "--captures",       phoneFolder_.string(), "--timeout", "300"};
    argv.insert(argv.end(), faults.begin(), faults.end());
    phone_ = std::make_unique<ChildProcess>(argv);
    ASSERT_TRUE(phone_->started());
    const int connectedBefore = recorder_.Count(102);
    ASSERT_TRUE(phone_->WaitForLine("connected", kWait)) << phone_->Output();
    ASSERT_TRUE(recorder_.WaitFor(102, connectedBefore + 1));
  }

  void RequestLists() {
    const int faceLists = recorder_.Count(GetPerformances::kKind);
    const int bodyLists = recorder_.Count(GetMotionCaptures::kKind);
    server_->RequestCaptureLists();
    ASSERT_TRUE(recorder_.WaitFor(GetPerformances::kKind, faceLists + 1)) << phone_->Output();
    ASSERT_TRUE(recorder_.WaitFor(GetMotionCaptures::kKind, bodyLists + 1)) << phone_->Output();
  }

  template <typename Request>
  void Ask(const std::string& name) {
    Request request;
    request.name = name;
    server_->SendMessage(request);
  }

  void AskAndWait(scn::UInt32 kind, const std::function<void()>& ask, int count = 1) {
    const int before = recorder_.Count(kind);
    ask();
    ASSERT_TRUE(recorder_.WaitFor(kind, before + count)) << phone_->Output();
  }

  void DownloadFace() {
    AskAndWait(PerformanceGet::kKind, [&] { Ask<PerformanceGet>("Smile"); });
    ASSERT_EQ(recorder_.faceImageCount, kFaceImages);
    AskAndWait(
        PerformanceGetImage::kKind,
        [&] {
          for (int i = 0; i < kFaceImages; ++i) {
            PerformanceGetImage image;
            image.name = "Smile";
            image.imageIndex = static_cast<std::uint16_t>(i);
            image.imageCount = kFaceImages;
            server_->SendMessage(image);
          }
        },
        kFaceImages);
  }

  fs::path Downloaded(const std::string& name) const { return captures_ / name; }

  Recorder recorder_;
  std::unique_ptr<LightMQTT> server_ = std::make_unique<LightMQTT>();
  std::unique_ptr<ChildProcess> phone_;
  fs::path captures_;
  fs::path phoneFolder_ = temp_ / "phone";
  int port_ = 0;
};

TEST_F(PhoneSimTest, VersionAndBothListsArriveAsServed) {
  StartPhone();
  AskAndWait(GetVersionMsg::kKind, [&] {
    GetVersionMsg version;
    server_->SendMessage(version);
  });
  EXPECT_EQ(recorder_.version, (std::vector<std::string>{"Kinetra Phone Simulator", "1.0", "1"}));

  RequestLists();
  ASSERT_EQ(recorder_.faces.size(), 1u);
  const CaptureInfo& smile = recorder_.faces[0];
  EXPECT_EQ(smile.secondName, "Smile") << "display name";
  EXPECT_EQ(smile.captureName, "Smile");
  EXPECT_EQ(smile.imageCount, kFaceImages);
  EXPECT_EQ(smile.timestamp, kSmileTime);
  EXPECT_EQ(smile.frameCount, kFaceImages);
  EXPECT_EQ(smile.fps, 30.0f);
  EXPECT_TRUE(smile.hasImages);
  EXPECT_EQ(smile.kind, CaptureInfo::kCaptureKindFace);

  ASSERT_EQ(recorder_.bodies.size(), 1u);
  const CaptureInfo& walk = recorder_.bodies[0];
  EXPECT_EQ(walk.captureName, "Walk");
  EXPECT_EQ(walk.imageCount, 0);
  EXPECT_EQ(walk.timestamp, kWalkTime);
  EXPECT_EQ(walk.frameCount, 6);
  EXPECT_FALSE(walk.hasImages);
  EXPECT_EQ(walk.kind, CaptureInfo::kCaptureKindBody);
  EXPECT_TRUE(fs::exists(Downloaded("Smile") / "capture.info"));
  EXPECT_TRUE(fs::exists(Downloaded("Walk") / "capture.info"));
  TaskCompleteMsg done;  // the capture manager's reply to a list
  done.text = "lists received";
  server_->SendMessage(done);
  EXPECT_TRUE(phone_->WaitForLine("task-complete text=\"lists received\"", kWait)) << phone_->Output();

  // A capture already on this computer is not new: the next lists leave it out.
  RequestLists();
  EXPECT_TRUE(recorder_.faces.empty());
  EXPECT_TRUE(recorder_.bodies.empty());
}

TEST_F(PhoneSimTest, FaceCaptureDownloadsByteForByteAndCompletes) {
  StartPhone();
  RequestLists();
  DownloadFace();
  EXPECT_EQ(CompletedDownloads(), (std::vector<std::string>{"Smile", "Smile"}))
      << "once for the data files, once for the last image";
  AskAndWait(PerformanceGetPreview::kKind, [&] { Ask<PerformanceGetPreview>("Smile"); });
  AskAndWait(PerformanceGetMovie::kKind, [&] { Ask<PerformanceGetMovie>("Smile"); });
  AskAndWait(PerformanceGetSettings::kKind, [&] { Ask<PerformanceGetSettings>("Smile"); });

  const auto served = FilesOf(phoneFolder_ / "Smile");
  ASSERT_EQ(served.size(), 3u + kFaceImages + 3u);  // data, geometry, sound; images; preview, movie, settings
  EXPECT_TRUE(FilesOf(Downloaded("Smile")) == served) << "every file arrived byte for byte";
  EXPECT_TRUE(CompletedDownloads().empty()) << "preview, movie and settings complete nothing";
  EXPECT_EQ(phone_->Lines("sent kind=2 name=Smile").size(), static_cast<std::size_t>(kFaceImages));
}

TEST_F(PhoneSimTest, BodyCaptureDownloadsByteForByteAndCompletes) {
  StartPhone();
  RequestLists();
  AskAndWait(MotionCaptureGet::kKind, [&] { Ask<MotionCaptureGet>("Walk"); });
  EXPECT_EQ(CompletedDownloads(), std::vector<std::string>{"Walk"});
  AskAndWait(PerformanceGetPreview::kKind, [&] { Ask<PerformanceGetPreview>("Walk"); });

  const auto served = FilesOf(phoneFolder_ / "Walk");
  ASSERT_EQ(served.size(), 4u);  // motion data, skeleton, settings, preview
  EXPECT_TRUE(FilesOf(Downloaded("Walk")) == served) << "every file arrived byte for byte";
}

TEST_F(PhoneSimTest, APhoneThatVanishesMidDownloadLeavesTheCaptureIncomplete) {
  StartPhone({"--vanish", "1:5000", "--reconnect"});
  RequestLists();
  Ask<PerformanceGet>("Smile");
  ASSERT_TRUE(phone_->WaitForLine("vanished kind=1 name=Smile after=5000", kWait)) << phone_->Output();
  // The phone comes back; a new connection ends the old one's streams first.
  ASSERT_TRUE(recorder_.WaitFor(102, 2)) << phone_->Output();
  EXPECT_EQ(recorder_.Count(PerformanceGet::kKind), 0);
  EXPECT_TRUE(CompletedDownloads().empty());
  for (const char* file : {"faceData.txt", "faceGeo.txt", "Smile_sound.m4a"})
    EXPECT_FALSE(fs::exists(Downloaded("Smile") / file)) << file;

  // Asked again on the new connection, the download completes.
  AskAndWait(PerformanceGet::kKind, [&] { Ask<PerformanceGet>("Smile"); });
  EXPECT_EQ(CompletedDownloads(), std::vector<std::string>{"Smile"});
  EXPECT_EQ(ReadFileBytes(Downloaded("Smile") / "faceData.txt"),
            ReadFileBytes(phoneFolder_ / "Smile" / "faceData.txt"));
}

TEST_F(PhoneSimTest, ARefusedRequestGetsNoAnswerAndTheLinkGoesOn) {
  StartPhone({"--refuse", "3"});
  RequestLists();
  Ask<PerformanceGetPreview>("Smile");
  ASSERT_TRUE(phone_->WaitForLine("refused kind=3 name=Smile", kWait)) << phone_->Output();
  AskAndWait(PerformanceGetSettings::kKind, [&] { Ask<PerformanceGetSettings>("Smile"); });
  EXPECT_EQ(recorder_.Count(PerformanceGetPreview::kKind), 0);
  EXPECT_FALSE(fs::exists(Downloaded("Smile") / "preview.jpg"));
  EXPECT_TRUE(fs::exists(Downloaded("Smile") / "settings.txt"));
}

TEST_F(PhoneSimTest, StoppingTheServerSaysDisconnectAndThePhoneEndsNormally) {
  StartPhone();
  server_->Stop();
  EXPECT_EQ(phone_->WaitForExit(kWait), 0) << phone_->Output();
  EXPECT_EQ(phone_->Lines("disconnect"), std::vector<std::string>{"disconnect"}) << phone_->Output();
  phone_.reset();
}

TEST_F(PhoneSimTest, HostileCaptureNamesInTheListsMakeNoFolders) {
  for (const char* hostile : {"../../evil", "", "/abs", "a\\0b", ".."}) {
    SCOPED_TRACE(hostile);
    // Two list requests, then the phone says goodbye by itself.
    StartPhone({"--hostile-name", hostile, "--exit-after", "2"});
    RequestLists();
    EXPECT_TRUE(recorder_.faces.empty());
    EXPECT_TRUE(recorder_.bodies.empty());
    EXPECT_EQ(phone_->WaitForExit(kWait), 0) << phone_->Output();
    phone_.reset();
  }
  EXPECT_TRUE(fs::is_empty(captures_)) << "no capture folder and no capture.info";
  EXPECT_FALSE(fs::exists(temp_ / "evil"));
  EXPECT_FALSE(fs::exists(temp_ / "data" / "evil"));
  EXPECT_FALSE(fs::exists("/abs"));
}

}  // namespace
