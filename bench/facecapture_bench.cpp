// Face capture loading and playback: writing the file parameter of a face capture object (the whole
// performance read through the token readers), beside a plain read and a from_chars parse of the same
// "faceData.txt", and one document evaluation in each frame mode.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/host.h"
#include "face/facecapture.h"
#include "face/faceshader.h"
#include "kinetra_fixture/facecapturefixture.h"
#include "registry/registry.h"
#include "scene/sceneservice.h"
#include "scn/api.h"
#include "scn/scene.h"

namespace {

// About 140 MB of face data. Runs of three identical frames, so that blending between image frames has
// something to blend.
constexpr int kFrames = 3600;
constexpr int kRepeatRun = 3;
constexpr std::size_t kBlockSize = 64 * 1024;

// The capture, generated on first use and removed at exit.
struct CaptureFolder {
  CaptureFolder() {
    root = std::filesystem::temp_directory_path() / ("kinetra-facebench-" + std::to_string(::getpid()));
    kinetra::fixture::FaceCaptureOptions options;
    options.name = "Bench";
    options.frameCount = kFrames;
    options.frameVersion = 2;
    options.repeatRun = kRepeatRun;
    options.imageCount = 2;  // enough for image frames; scanning many would hide the frame reading
    std::string error;
    if (!kinetra::fixture::WriteFaceCapture(root, options, &error))
      std::fprintf(stderr, "%s\n", error.c_str());
    faceData = root / "Bench" / "faceData.txt";
    std::error_code ec;
    size = static_cast<std::int64_t>(std::filesystem::file_size(faceData, ec));
    plugin = root / "plugin";
    std::filesystem::create_directories(plugin, ec);
    std::filesystem::create_directory_symlink(KINETRA_RESOURCE_DIR, plugin / "res", ec);
  }
  ~CaptureFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::filesystem::path root;
  std::filesystem::path faceData;
  std::filesystem::path plugin;
  std::int64_t size = 0;
};

CaptureFolder& Capture() {
  static CaptureFolder folder;
  return folder;
}

// A host of its own for one benchmark run, with the face capture types registered and one face capture
// object in a document. Ended before the next run starts its own, so the host calls always reach it.
class Session {
 public:
  Session() : host_(std::make_unique<host::Host>(host::Host::Options{})) {
    host_->SetPluginFolder(Capture().plugin);
    if (!scn::SetHostTables(host_->Tables())) return;
    // The registrations read their names from the string resource.
    if (!scn::InitPluginResource()) return;
    host_->registry().SetStarting(true);
    const bool registered = RegisterFaceCaptureObject() && RegisterFaceShader();
    host_->registry().SetStarting(false);
    if (!registered) return;
    doc_ = host_->scene().NewDocument(30);
    node_ = scn::AllocateObject(kFaceCaptureObjectId);
    if (!doc_ || !node_ || !scn::InsertObject(doc_, node_)) node_ = nullptr;
  }

  // Empty when the session is usable, else why not.
  std::string Problem() const {
    if (!node_) return "no face capture object";
    const auto reports = host_->diagnostics().Misbehaviours();
    return reports.empty() ? std::string() : reports.front();
  }

  // Writes the file parameter; empty when all frames were loaded, else what went wrong.
  std::string Load() {
    scn::SetParameter(node_, kFaceFile, scn::Filename(Capture().faceData.string()));
    const FaceCaptureObject* object = GetFaceCaptureObject(node_);
    if (!object || object->GetFrameCount() != kFrames)
      return "loaded " + std::to_string(object ? object->GetFrameCount() : 0) + " frames";
    return Problem();
  }

  void Evaluate(int frame) {
    host_->scene().SetDocumentFrame(doc_, frame);
    host_->scene().EvaluateDocument(doc_);
  }

  scn::SceneNode* node() const { return node_; }

 private:
  std::unique_ptr<host::Host> host_;
  scn::Document* doc_ = nullptr;
  scn::SceneNode* node_ = nullptr;
};

bool CaptureIsThere(benchmark::State& state) {
  if (Capture().size > 0) return true;
  state.SkipWithError("the capture could not be generated");
  return false;
}

// One iteration reloads the whole performance. The first load also builds the target mesh and its
// material; it runs before the timing so every timed load is the same reload.
void BM_FaceCaptureLoad(benchmark::State& state) {
  if (!CaptureIsThere(state)) return;
  Session session;
  std::string problem = session.Problem();
  if (problem.empty()) problem = session.Load();
  if (!problem.empty()) {
    state.SkipWithError(problem.c_str());
    return;
  }
  for (auto _ : state) {
    problem = session.Load();
    if (!problem.empty()) {
      state.SkipWithError(problem.c_str());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * Capture().size);
}

void BM_FaceDataPlainRead(benchmark::State& state) {
  if (!CaptureIsThere(state)) return;
  std::vector<char> buffer(kBlockSize);
  for (auto _ : state) {
    std::FILE* f = std::fopen(Capture().faceData.c_str(), "rb");
    if (!f) {
      state.SkipWithError("cannot open faceData.txt");
      break;
    }
    std::size_t n = 0, total = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * Capture().size);
}

bool IsSeparator(char c) {
  return c == '\n' || c == '\r' || c == ':' || c == '~' || c == ' ' || c == '\t';
}

bool IsNameStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

struct ParseTotals {
  double sum = 0;
  std::int64_t numbers = 0;
  std::int64_t names = 0;
};

void ParseToken(const char* begin, const char* end, ParseTotals& totals) {
  if (begin == end) return;
  if (IsNameStart(*begin)) {
    ++totals.names;
    return;
  }
  double v = 0;
  if (std::from_chars(begin, end, v).ec != std::errc()) return;
  totals.sum += v;
  ++totals.numbers;
}

// Parses the complete tokens of [data, end); returns where the unfinished last one starts.
const char* ParseTokens(const char* data, const char* end, ParseTotals& totals) {
  const char* token = data;
  for (const char* p = data; p < end; ++p) {
    if (!IsSeparator(*p)) continue;
    ParseToken(token, p, totals);
    token = p + 1;
  }
  return token;
}

// The floor for any token reader: 64 KB reads, separators found, numbers converted by from_chars.
void BM_FaceDataFromChars(benchmark::State& state) {
  if (!CaptureIsThere(state)) return;
  // Room for an unfinished token carried in front of the next block.
  std::vector<char> buffer(2 * kBlockSize);
  ParseTotals totals;
  for (auto _ : state) {
    std::FILE* f = std::fopen(Capture().faceData.c_str(), "rb");
    if (!f) {
      state.SkipWithError("cannot open faceData.txt");
      break;
    }
    totals = {};
    std::size_t carried = 0, n = 0;
    while (carried < kBlockSize && (n = std::fread(buffer.data() + carried, 1, kBlockSize, f)) > 0) {
      const char* end = buffer.data() + carried + n;
      const char* rest = ParseTokens(buffer.data(), end, totals);
      carried = static_cast<std::size_t>(end - rest);
      std::copy(rest, end, buffer.data());
    }
    std::fclose(f);
    ParseToken(buffer.data(), buffer.data() + carried, totals);
    benchmark::DoNotOptimize(totals.sum);
  }
  state.counters["numbers"] = static_cast<double>(totals.numbers);
  state.counters["names"] = static_cast<double>(totals.names);
  state.SetBytesProcessed(state.iterations() * Capture().size);
}

// One evaluation in the frame mode of the argument. Every iteration moves to the next frame, so the
// object always writes a frame.
void BM_FaceCaptureEvaluate(benchmark::State& state) {
  if (!CaptureIsThere(state)) return;
  Session session;
  std::string problem = session.Problem();
  if (problem.empty()) problem = session.Load();
  if (problem.empty()) {
    scn::SetParameter(session.node(), kFaceFrameMode, static_cast<scn::Int32>(state.range(0)));
    session.Evaluate(0);
    problem = session.Problem();
  }
  if (!problem.empty()) {
    state.SkipWithError(problem.c_str());
    return;
  }
  int frame = 0;
  for (auto _ : state) {
    frame = (frame + 1) % kFrames;
    session.Evaluate(frame);
  }
  problem = session.Problem();
  if (!problem.empty()) state.SkipWithError(problem.c_str());
}

}  // namespace

BENCHMARK(BM_FaceCaptureLoad)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_FaceDataPlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceDataFromChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FaceCaptureEvaluate)
    ->ArgName("mode")
    ->Arg(kFaceModeEveryFrame)
    ->Arg(kFaceModeBlendRuns)
    ->Arg(kFaceModeImageFramesOnly)
    ->Unit(benchmark::kMicrosecond);
