// One drawing pass of a thumbnail grid the way the capture views paint it: 200 cells, each a box fill, a
// 100 x 100 thumbnail scaled from the placeholder picture, three 18 x 18 icons blended by their alpha, a
// duration and a clipped name, into a 1000 x 1800 canvas. Goal: well under 5 ms a pass.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bitmaps/imagedecoders.h"
#include "core/diagnostics.h"
#include "ui/canvas.h"
#include "ui/font.h"

namespace {

constexpr int kCells = 200;
constexpr int kColumns = 8;
constexpr int kRows = 10;  // rows wrap, so that all 200 cells land inside the canvas

scn::Bitmap Load(const std::string& name) {
  const std::filesystem::path path = std::filesystem::path(KINETRA_RESOURCE_DIR) / "icons" / name;
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  const host::ImageBytes view{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
  scn::Bitmap b;
  const auto format = host::SniffImageFormat(view);
  const auto result =
      format == host::ImageFormat::Jpeg ? host::DecodeJpeg(view, -1, b) : host::DecodePng(view, -1, b);
  if (result.status != host::DecodeStatus::Ok)
    std::fprintf(stderr, "%s: %s\n", name.c_str(), result.reason.c_str());
  return b;
}

void BM_ThumbnailGridPass(benchmark::State& state) {
  host::Diagnostics diagnostics;
  const std::unique_ptr<host::Font> font =
      host::Font::Open(host::kUiFontFile, host::kUiFontPixelSize, diagnostics);
  if (!font) {
    state.SkipWithError("the UI font is missing");
    return;
  }
  const scn::Bitmap thumbnail = Load("robot.jpg");
  const scn::Bitmap icons[3] = {Load("fps30.png"), Load("allimages.png"), Load("hascamera.png")};
  host::Canvas canvas(1000, 1800, font.get());
  const host::Rgb grey{153, 153, 153}, text{220, 220, 220}, background{51, 51, 51};

  for (auto _ : state) {
    canvas.BeginPass();
    for (int i = 0; i < kCells; ++i) {
      const int left = (i % kColumns) * 120 + 10, top = (i / kColumns % kRows) * 173 + 10;
      canvas.SetDrawColor(grey);
      canvas.FillRectangle(left, top, left + 100, top + 100);
      canvas.BlitBitmap(thumbnail, {left, top, 100, 100}, {0, 0, thumbnail.width, thumbnail.height},
                        host::kBlitCopy);
      for (int k = 0; k < 3; ++k)
        canvas.BlitBitmap(icons[k], {left + 80, top + 2 + 20 * k, 18, 18},
                          {0, 0, icons[k].width, icons[k].height}, host::kBlitAlpha);
      canvas.SetTextColors(text, background);
      canvas.PaintText("01:05", left + 50 - canvas.TextWidth("01:05") / 2, top + 103);
      const std::string name = "Capture " + std::to_string(1000 + i);
      canvas.SetClipRegion(left - 5, top, 110, 163);
      canvas.PaintText(name, left + 50 - canvas.TextWidth(name) / 2, top + 103 + canvas.LineHeight());
      canvas.ClearClipRegion();
    }
    benchmark::DoNotOptimize(canvas.Pixels().pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_ThumbnailGridPass)->Unit(benchmark::kMillisecond);

}  // namespace
