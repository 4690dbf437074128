// Token reading of a "faceData.txt"-shaped file through the host file API, beside a plain read of the
// same file. The baseline for face capture loading.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "basecapture.h"
#include "core/host.h"
#include "kinetra_fixture/facecapturefixture.h"
#include "scn/api.h"

namespace {

// About 50 MB of face data: the generator writes roughly 39 KB a frame.
constexpr int kFrames = 1300;

struct BenchFile {
  BenchFile() {
    folder = std::filesystem::temp_directory_path() / ("kinetra-bench-" + std::to_string(::getpid()));
    kinetra::fixture::FaceCaptureOptions options;
    options.name = "Bench";
    options.frameCount = kFrames;
    options.imageCount = 1;
    std::string error;
    if (!kinetra::fixture::WriteFaceCapture(folder, options, &error))
      std::fprintf(stderr, "%s\n", error.c_str());
    path = folder / "Bench" / "faceData.txt";
    size = static_cast<std::int64_t>(std::filesystem::file_size(path));
  }
  ~BenchFile() { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
  std::filesystem::path path;
  std::int64_t size = 0;
};

BenchFile& File() {
  static BenchFile file;
  return file;
}

void BM_PlainRead(benchmark::State& state) {
  static char buffer[65536];
  File();  // generated before the timing starts
  for (auto _ : state) {
    std::FILE* f = std::fopen(File().path.c_str(), "rb");
    std::size_t n = 0, total = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * File().size);
}

// Every token through ReadToken; number tokens also converted, as the loaders do.
void BM_TokenRead(benchmark::State& state) {
  // A host of this run's own: another benchmark's host may have come and gone before.
  host::Host host(host::Host::Options{});
  scn::SetHostTables(host.Tables());
  File();
  for (auto _ : state) {
    HostFileHolder file;
    scn::OpenFile(file.get(), scn::Filename(File().path.string()), scn::kFileRead);
    scn::String token;
    std::int64_t tokens = 0;
    scn::Float64 sum = 0;
    // The generated file has no empty tokens (LF line ends), so the first empty one is the end.
    while (ReadToken(file.get(), token) && !token.empty()) {
      scn::Float64 v = 0;
      if (scn::StringToFloat64(token.data(), token.size(), &v)) sum += v;
      ++tokens;
    }
    benchmark::DoNotOptimize(sum);
    state.counters["tokens"] = static_cast<double>(tokens);
  }
  state.SetBytesProcessed(state.iterations() * File().size);
}

}  // namespace

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TokenRead)->Unit(benchmark::kMillisecond);
