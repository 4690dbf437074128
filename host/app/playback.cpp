#include "playback.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/host.h"
#include "framelist.h"
#include "framereport.h"
#include "scene/sceneservice.h"
#include "scn/api.h"
#include "scn/container.h"
#include "scn/scene.h"

namespace host::app {
namespace {

namespace fs = std::filesystem;

constexpr scn::Int32 kFaceCaptureType = 1040464;
constexpr scn::Int32 kFaceFile = 1000;
constexpr scn::Int32 kFaceFrameCountText = 1004;
constexpr scn::Int32 kFaceTargetLink = 1038;

int Fail(const std::string& message) {
  std::fprintf(stderr, "kinetra-host: %s\n", message.c_str());
  return 1;
}

std::string Quoted(const fs::path& path) {
  std::string text = "'";
  text += path.string();
  text += '\'';
  return text;
}

// Absolute and without a trailing separator, so its last part names the capture.
fs::path CaptureFolder(const std::string& text) {
  std::error_code ec;
  fs::path p = fs::absolute(text, ec).lexically_normal();
  if (!p.has_filename()) p = p.parent_path();
  return p;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  return static_cast<bool>(out);
}

std::string FrameStem(int frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame_%05d", frame);
  return name;
}

// The frame count text the object shows once the file is read; "0" when nothing loaded.
bool HasFrames(scn::SceneNode* capture) {
  scn::Value text;
  if (!scn::GetParameter(capture, kFaceFrameCountText, &text)) return false;
  const auto* s = std::get_if<scn::String>(&text);
  return s && !s->empty() && *s != "0";
}

class Playback {
 public:
  Playback(Host& host, const PlaybackOptions& options) : host_(host), options_(options) {}
  ~Playback() {
    // Plug-in nodes go while the module is still loaded.
    if (doc_) host_.scene().FreeDocument(doc_);
  }
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;

  int Run() {
    std::string error;
    if (!ParseFrameList(options_.frames, &frames_, &error)) return Fail(error);
    if (options_.captureFolder.empty()) return Fail("--play needs a capture folder");
    const fs::path folder = CaptureFolder(options_.captureFolder);
    const fs::path file = folder / "faceData.txt";
    if (!fs::is_directory(folder)) return Fail("capture folder " + Quoted(folder) + " does not exist");
    if (!fs::is_regular_file(file)) return Fail("capture folder " + Quoted(folder) + " has no faceData.txt");
    if (!scn::SetHostTables(host_.Tables())) return Fail("the host's tables were refused");
    if (int status = Load(folder, file)) return status;
    if (int status = PrepareOut()) return status;
    for (int frame : frames_)
      if (int status = WriteFrame(frame)) return status;
    return 0;
  }

 private:
  int Load(const fs::path& folder, const fs::path& file) {
    doc_ = host_.scene().NewDocument(options_.fps);
    if (!doc_) return Fail("no document at " + std::to_string(options_.fps) + " fps");
    capture_ = scn::AllocateObject(kFaceCaptureType);
    if (!capture_) return Fail("the plug-in made no face capture object");
    scn::SetNodeName(capture_, folder.filename().string());
    if (!scn::InsertObject(doc_, capture_)) {
      scn::FreeSceneNode(capture_);
      return Fail("the face capture object could not be inserted");
    }
    const std::size_t before = host_.diagnostics().Lines().size();
    scn::SetParameter(capture_, kFaceFile, scn::Filename(file.string()));
    const scn::Int64 targetId = scn::GetNodeContainer(capture_)->GetLink(kFaceTargetLink);
    target_ = scn::ResolveLinkValue(doc_, targetId, scn::kTypePolygonObject);
    if (HasFrames(capture_) && target_) return 0;
    // What the plug-in logged while loading names the file and what it lacked.
    const std::string causes = LinesSince(before);
    if (!causes.empty()) return Fail("loading " + Quoted(file) + " failed:" + causes);
    if (!HasFrames(capture_)) return Fail(Quoted(file) + " gave no frames");
    return Fail("loading " + Quoted(file) + " made no target mesh");
  }

  // The host's diagnostic lines from index `from` on, each on a line of its own.
  std::string LinesSince(std::size_t from) const {
    const std::vector<std::string> lines = host_.diagnostics().Lines();
    std::string text;
    for (std::size_t i = from; i < lines.size(); ++i) text += "\n  " + lines[i];
    return text;
  }

  int PrepareOut() {
    out_ = options_.outDir.empty() ? fs::path(".") : fs::path(options_.outDir);
    std::error_code ec;
    fs::create_directories(out_, ec);
    if (!fs::is_directory(out_))
      return Fail("cannot make the out folder " + Quoted(out_) + ": " + ec.message());
    return 0;
  }

  int WriteFrame(int frame) {
    host_.scene().SetDocumentFrame(doc_, frame);
    if (!host_.scene().EvaluateDocument(doc_))
      return Fail("frame " + std::to_string(frame) + " did not evaluate");
    const std::string obj = host_.scene().WriteObj(target_, true);
    if (obj.empty()) return Fail("the target mesh is no longer a polygon object");
    const fs::path stem = out_ / FrameStem(frame);
    const fs::path objPath = fs::path(stem).concat(".obj");
    const fs::path textPath = fs::path(stem).concat(".txt");
    if (!WriteFile(objPath, obj)) return Fail("cannot write " + Quoted(objPath));
    if (!WriteFile(textPath, FrameReport(capture_, target_))) return Fail("cannot write " + Quoted(textPath));
    if (!options_.quiet)
      std::printf("frame %d: %s %s\n", frame, objPath.string().c_str(), textPath.string().c_str());
    return 0;
  }

  Host& host_;
  const PlaybackOptions& options_;
  std::vector<int> frames_;
  scn::Document* doc_ = nullptr;
  scn::SceneNode* capture_ = nullptr;
  scn::SceneNode* target_ = nullptr;
  fs::path out_;
};

}  // namespace

int RunPlayback(Host& host, const PlaybackOptions& options) {
  Playback playback(host, options);
  return playback.Run();
}

}  // namespace host::app
