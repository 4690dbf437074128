#include "bitmaps/bitmapservice.h"

#include <cmath>
#include <fstream>
#include <mutex>
#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "bitmaps/bitmap.h"
#include "bitmaps/imagedecoders.h"
#include "bitmaps/pngencoder.h"
#include "core/host.h"

namespace host {
namespace {

// No image file we accept is larger than the pixels we accept.
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1} << 30;

std::mutex g_liveMutex;
std::unordered_set<const scn::Bitmap*> g_live;

void Log(const std::string& text) {
  if (Host* h = Host::Current()) h->diagnostics().Output(text);
}

void Misbehaving(const std::string& call) {
  if (Host* h = Host::Current()) h->diagnostics().ReportMisbehaviour(call);
}

scn::Bitmap* Track(scn::Bitmap* b) {
  if (!b) return nullptr;
  try {
    std::lock_guard lock(g_liveMutex);
    g_live.insert(b);
  } catch (const std::bad_alloc&) {
    delete b;
    return nullptr;
  }
  return b;
}

bool Untrack(const scn::Bitmap* b) {
  std::lock_guard lock(g_liveMutex);
  return g_live.erase(b) == 1;
}

enum class ReadStatus { Ok, NoFile, TooLarge, NoMemory };

ReadStatus ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return ReadStatus::NoFile;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return ReadStatus::NoFile;
  if (size > kMaxFileBytes) return ReadStatus::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return ReadStatus::NoFile;
  try {
    bytes.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return ReadStatus::NoMemory;
  }
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // A file that shrank under us reads short; decode what was there.
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return in.bad() ? ReadStatus::NoFile : ReadStatus::Ok;
}

DecodeResult Decode(ImageBytes bytes, int frame, scn::Bitmap& out) {
  switch (SniffImageFormat(bytes)) {
    case ImageFormat::Jpeg:
      return DecodeJpeg(bytes, frame, out);
    case ImageFormat::Png:
      return DecodePng(bytes, frame, out);
    case ImageFormat::Tiff:
      return DecodeTiff(bytes, frame, out);
    case ImageFormat::Unknown:
      break;
  }
  return DecodeResult::Wrong("not a JPEG, PNG or TIFF file");
}

scn::Int32 Fail(const std::filesystem::path& path, scn::Int32 code, const std::string& reason) {
  Log("LoadBitmapFile: " + path.string() + ": " + reason);
  return code;
}

// Alpha over black is what a 24-bit copy of a straight-alpha image shows.
bool DropAlpha(scn::Bitmap& b) {
  if (b.Empty()) return false;
  if (!b.HasAlpha()) return true;
  std::vector<std::uint8_t> rgb;
  try {
    rgb.resize(static_cast<std::size_t>(b.width) * b.height * 3);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t i = 0, n = static_cast<std::size_t>(b.width) * b.height; i < n; ++i)
    for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = static_cast<std::uint8_t>(b.pixels[i * 4 + c] * b.pixels[i * 4 + 3] / 255);
  b.pixels = std::move(rgb);
  b.channels = 3;
  return true;
}

double SrgbToLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

}  // namespace

scn::Bitmap* BitmapService::Allocate() {
  return Track(new (std::nothrow) scn::Bitmap());
}

scn::Bitmap* BitmapService::Clone(const scn::Bitmap* b) {
  if (!b) return nullptr;
  try {
    return Track(new scn::Bitmap(*b));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void BitmapService::Free(scn::Bitmap* b) {
  if (!b) return;
  if (!Untrack(b)) {
    Misbehaving("FreeBitmap of a bitmap that is not live");
    return;
  }
  delete b;
}

scn::Int32 BitmapService::Load(scn::Bitmap& b, const std::filesystem::path& path, scn::Int32 frame) {
  std::vector<std::uint8_t> bytes;
  switch (ReadWholeFile(path, bytes)) {
    case ReadStatus::NoFile:
      return Fail(path, scn::kImageNoFile, "missing or unreadable");
    case ReadStatus::TooLarge:
      return Fail(path, scn::kImageWrongType, "file too large for an image");
    case ReadStatus::NoMemory:
      return Fail(path, scn::kImageNoMemory, "no memory for the file");
    case ReadStatus::Ok:
      break;
  }
  scn::Bitmap decoded;
  const DecodeResult result = Decode(bytes, frame, decoded);
  switch (result.status) {
    case DecodeStatus::WrongType:
      return Fail(path, scn::kImageWrongType, result.reason);
    case DecodeStatus::NoMemory:
      return Fail(path, scn::kImageNoMemory, result.reason);
    case DecodeStatus::Ok:
      break;
  }
  b = std::move(decoded);
  return scn::kImageOk;
}

scn::Bitmap* BitmapService::LoadFile(const std::filesystem::path& path) {
  scn::Bitmap* b = Allocate();
  if (!b) return nullptr;
  if (Load(*b, path, -1) == scn::kImageOk) return b;
  Free(b);
  return nullptr;
}

bool BitmapService::SavePng(const scn::Bitmap* b, const std::filesystem::path& path) {
  return b && EncodePngFile(*b, path);
}

std::size_t BitmapService::LiveCount() {
  std::lock_guard lock(g_liveMutex);
  return g_live.size();
}

void BitmapService::FillTable(scn::BitmapTable& t) {
  t.AllocateBitmap = [] { return Allocate(); };
  t.FreeBitmap = [](scn::Bitmap* b) { Free(b); };
  t.LoadBitmapFile = [](scn::Bitmap* b, const scn::Filename& name, scn::Int32 frame) {
    if (!b) return scn::kImageNoMemory;
    return Load(*b, std::filesystem::path(name.GetString()), frame);
  };
  t.GetWidth = [](const scn::Bitmap* b) { return b ? scn::Int32(b->width) : 0; };
  t.GetHeight = [](const scn::Bitmap* b) { return b ? scn::Int32(b->height) : 0; };
  t.GetPixel = [](const scn::Bitmap* b, scn::Int32 x, scn::Int32 y, scn::Int32* r, scn::Int32* g,
                  scn::Int32* bl) {
    scn::Int32 rgb[3] = {0, 0, 0};
    if (b && b->Contains(x, y))
      for (int i = 0; i < 3; ++i) rgb[i] = b->At(x, y)[i];
    if (r) *r = rgb[0];
    if (g) *g = rgb[1];
    if (bl) *bl = rgb[2];
  };
  t.CloneBitmap = [](const scn::Bitmap* b) { return Clone(b); };
  t.GetPixelFloat = [](const scn::Bitmap* b, scn::Int32 x, scn::Int32 y, scn::Float32* rgb) -> scn::Bool {
    if (!b || !rgb || !b->Contains(x, y)) return false;
    for (int i = 0; i < 3; ++i) rgb[i] = static_cast<scn::Float32>(b->At(x, y)[i]) / 255.0f;
    return true;
  };
  t.CopyInto = [](const scn::Bitmap* src, scn::Bitmap* dest) -> scn::Bool {
    if (!src || !dest || src->Empty()) return false;
    try {
      *dest = *src;
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  };
  t.ConvertTo24Bits = [](scn::Bitmap* b) -> scn::Bool { return b && DropAlpha(*b); };
  t.ConvertColor = [](const scn::Vector& rgb, scn::Int32 mode) {
    if (mode != 2) return rgb;
    return scn::Vector{SrgbToLinear(rgb.x), SrgbToLinear(rgb.y), SrgbToLinear(rgb.z)};
  };
}

}  // namespace host
