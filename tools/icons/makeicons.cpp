// Draws the plug-in's icons and placeholder thumbnail into a folder:
//   kinetra-makeicons <folder>
// The committed files under resource/icons are this program's output.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas.h"
#include "imagefiles.h"

using namespace icons;

namespace {

constexpr int kIconPixels = 32;
constexpr double kIconUnits = 32;  // drawings below are in a 32 x 32 grid
constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kInk{45, 45, 52};
constexpr Rgba kWhite{255, 255, 255};

Canvas Icon() {
  return Canvas(kIconPixels, kIconPixels, kIconUnits, kClear);
}

Canvas FaceOutline() {
  Canvas c = Icon();
  c.Fill(EllipseDisc(16, 16, 11.5, 14), kInk);
  c.Fill(EllipseDisc(16, 16, 9.8, 12.3), {240, 200, 160});
  c.Fill(Disc(12, 13, 1.9), kInk);
  c.Fill(Disc(20, 13, 1.9), kInk);
  c.Fill(Segment(16, 14.5, 15, 19, 1.4), {190, 140, 110});
  c.Fill(Arc(16, 17, 6, 1.8, 25, 155), kInk);
  return c;
}

void StickFigure(Canvas& c, double s, double ox, double oy, double width, Rgba colour) {
  const auto at = [&](double v, double o) { return o + v * s; };
  c.Fill(Ring(at(16, ox), at(6, oy), 3.6 * s, width), colour);
  const double limbs[][4] = {
      {16, 10, 16, 20},                    // body
      {16, 13, 8, 8},                      // arms raised, as when capturing a pose
      {16, 13, 24, 8},  {16, 20, 10, 29},  // legs
      {16, 20, 22, 29},
  };
  for (const auto& l : limbs)
    c.Fill(Segment(at(l[0], ox), at(l[1], oy), at(l[2], ox), at(l[3], oy), width), colour);
}

Canvas BodyFigure() {
  Canvas c = Icon();
  StickFigure(c, 1, 0, 0, 2.6, {40, 110, 220});
  return c;
}

Canvas Eye() {
  Canvas c = Icon();
  const Shape lens = [outer = Disc(16, 30, 19), lower = Disc(16, 2, 19)](double x, double y) {
    return outer(x, y) && lower(x, y);
  };
  const Shape inner = [outer = Disc(16, 30, 17.2), lower = Disc(16, 2, 17.2)](double x, double y) {
    return outer(x, y) && lower(x, y);
  };
  c.Fill(lens, kInk);
  c.Fill(inner, kWhite);
  c.Fill([inner, iris = Disc(16, 16, 6)](double x, double y) { return inner(x, y) && iris(x, y); },
         {40, 140, 160});
  c.Fill(Disc(16, 16, 2.8), {10, 10, 10});
  c.Fill(Disc(17.8, 14.2, 1.1), kWhite);
  return c;
}

// A finder pattern of a QR code, in a box of side 4.2 at (x, y).
void Finder(Canvas& c, double x, double y) {
  c.Fill(Minus(Box(x, y, x + 4.2, y + 4.2), Box(x + 0.9, y + 0.9, x + 3.3, y + 3.3)), {0, 0, 0});
  c.Fill(Box(x + 1.6, y + 1.6, x + 2.6, y + 2.6), {0, 0, 0});
}

Canvas PhoneWithCode() {
  Canvas c = Icon();
  c.Fill(RoundBox(8, 1.5, 24, 30.5, 3), kInk);
  c.Fill(Box(10, 5, 22, 25.5), kWhite);
  Finder(c, 10.8, 8.5);
  Finder(c, 17, 8.5);
  Finder(c, 10.8, 14.7);
  const double modules[][2] = {{17.2, 15},   {19.6, 16.2}, {18.4, 17.4},
                               {20.4, 18.4}, {17.6, 18.8}, {12, 20.5}};
  for (const auto& m : modules) c.Fill(Box(m[0], m[1], m[0] + 1.2, m[1] + 1.2), {0, 0, 0});
  c.Fill(Disc(16, 28, 1.1), {150, 150, 160});
  return c;
}

Canvas QuestionMark() {
  Canvas c = Icon();
  c.Fill(Disc(16, 16, 15), {50, 120, 210});
  c.Fill(Arc(16, 11.5, 5, 3.2, 180, 420), kWhite);
  c.Fill(Segment(18.5, 15.8, 16, 18.8, 3.2), kWhite);
  c.Fill(Segment(16, 18.8, 16, 20.6, 3.2), kWhite);
  c.Fill(Disc(16, 25.3, 2), kWhite);
  return c;
}

// Blocky 3 x 5 digits; '#' cells are filled.
const char* Glyph(char digit) {
  switch (digit) {
    case '0':
      return "###"
             "#.#"
             "#.#"
             "#.#"
             "###";
    case '3':
      return "###"
             "..#"
             "###"
             "..#"
             "###";
    case '6':
      return "###"
             "#.."
             "###"
             "#.#"
             "###";
  }
  return "...............";
}

Canvas FrameRate(const std::string& digits, Rgba plate) {
  Canvas c = Icon();
  c.Fill(RoundBox(1, 5, 31, 27, 4), plate);
  constexpr double kCell = 3;
  double x = 6;
  constexpr double kTop = 8.5;
  for (char d : digits) {
    // One shape for the whole digit, so that neighbouring cells leave no antialiased seams.
    c.Fill(
        [g = Glyph(d), left = x](double px, double py) {
          const int col = int((px - left) / kCell), row = int((py - kTop) / kCell);
          return px >= left && py >= kTop && col < 3 && row < 5 && g[row * 3 + col] == '#';
        },
        kWhite);
    x += 3 * kCell + 2;
  }
  return c;
}

Canvas FilmStrip() {
  Canvas c = Icon();
  c.Fill(Box(1, 6, 31, 26), kInk);
  for (double x = 2.5; x < 30; x += 4) {
    c.Fill(Box(x, 7.5, x + 2, 9.5), kWhite);
    c.Fill(Box(x, 22.5, x + 2, 24.5), kWhite);
  }
  for (double x : {3.0, 12.5, 22.0}) c.Fill(Box(x, 11.5, x + 7, 20.5), {150, 200, 240});
  return c;
}

Canvas SinglePicture() {
  Canvas c = Icon();
  c.Fill(Box(4, 5, 28, 27), kInk);
  c.Fill(Box(6, 7, 26, 25), {150, 200, 240});
  c.Fill(Disc(21, 12, 2.5), {250, 210, 60});
  c.Fill(Triangle(6, 25, 13, 13, 20, 25), {60, 150, 70});
  c.Fill(Triangle(14, 25, 19.5, 17, 26, 25), {40, 120, 55});
  return c;
}

void Camera(Canvas& c) {
  c.Fill(Box(10, 7, 18, 11), kInk);
  c.Fill(RoundBox(3, 10, 29, 26, 3), kInk);
  c.Fill(Disc(16, 18, 6), {200, 200, 210});
  c.Fill(Disc(16, 18, 3.6), {30, 30, 40});
  c.Fill(Box(23, 12, 27, 14), {250, 210, 60});
}

Canvas WithCamera() {
  Canvas c = Icon();
  Camera(c);
  return c;
}

Canvas WithoutCamera() {
  Canvas c = Icon();
  Camera(c);
  c.Fill(Segment(4, 28, 28, 4, 5), kWhite);
  c.Fill(Segment(4, 28, 28, 4, 3), {210, 40, 40});
  return c;
}

// The placeholder thumbnail of a body capture without a preview picture.
Canvas Robot() {
  Canvas c(160, 120, 160, {90, 92, 100});
  c.Fill(Box(0, 108, 160, 120), {70, 72, 78});
  StickFigure(c, 3.4, 80 - 16 * 3.4, 6, 5, {225, 225, 230});
  return c;
}

enum class Kind { Png, Tiff, Jpeg };

struct Output {
  const char* name;
  Kind kind;
  Canvas (*draw)();
};

Canvas Fps30() {
  return FrameRate("30", {40, 160, 70});
}
Canvas Fps60() {
  return FrameRate("60", {220, 120, 30});
}

const std::vector<Output> kOutputs = {
    {"captureobject.tif", Kind::Tiff, FaceOutline},
    {"bodycapture.tif", Kind::Tiff, BodyFigure},
    {"eyetag.tif", Kind::Tiff, Eye},
    {"tuardialog.tif", Kind::Tiff, PhoneWithCode},
    {"Help.png", Kind::Png, QuestionMark},
    {"fps30.png", Kind::Png, Fps30},
    {"fps60.png", Kind::Png, Fps60},
    {"allimages.png", Kind::Png, FilmStrip},
    {"oneimage.png", Kind::Png, SinglePicture},
    {"hascamera.png", Kind::Png, WithCamera},
    {"nocamera.png", Kind::Png, WithoutCamera},
    {"robot.jpg", Kind::Jpeg, Robot},
};

bool Write(const Output& o, const std::filesystem::path& folder) {
  const Canvas canvas = o.draw();
  const auto path = folder / o.name;
  std::string error;
  bool ok = false;
  switch (o.kind) {
    case Kind::Png:
      ok = WritePng(canvas, path, &error);
      break;
    case Kind::Tiff:
      ok = WriteTiff(canvas, path, &error);
      break;
    case Kind::Jpeg:
      ok = WriteJpeg(canvas, path, 85, &error);
      break;
  }
  if (!ok) std::fprintf(stderr, "makeicons: %s: %s\n", path.c_str(), error.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::fprintf(stderr, "makeicons: cannot create %s: %s\n", folder.c_str(), ec.message().c_str());
    return 1;
  }
  bool ok = true;
  for (const auto& o : kOutputs) ok = Write(o, folder) && ok;
  return ok ? 0 : 1;
}
