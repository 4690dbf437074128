// A capture-manager-shaped window painted whole: chrome, tabs, buttons, user areas through their callback
// (scrolled and clipped), and the PNG of it decoded back.
#include "ui/windowpainter.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "bitmaps/imagedecoders.h"
#include "capturelayout.h"
#include "core/diagnostics.h"
#include "printers.h"
#include "tempdir.h"
#include "ui/font.h"
#include "ui/layoutpass.h"
#include "ui/themecolours.h"

namespace {

using host::Canvas;
using host::DrawKind;
using host::Rect;
using host::Rgb;

constexpr Rgb kCell{235, 176, 53};
constexpr Rgb kWhite{255, 255, 255};
const char* const kTitle = "Capture Manager - Connected";

Rgb Theme(scn::Int32 id) {
  return *host::ThemeColour(id);
}

bool Inside(const Rect& inner, const Rect& outer) {
  return Intersect(inner, outer) == inner && !inner.Empty();
}

class WindowPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = host::Font::Open(host::kUiFontFile, host::kUiFontPixelSize, diagnostics_);
    ASSERT_NE(font_, nullptr);
    capturelayout::Build(layout_, 30);
  }

  // The face area draws a cell at (10, 10) and one at (10, 300); the pairing view is white and framed.
  void DrawArea(const host::ItemGeometry& area, Canvas& c) {
    drawn_.push_back({area.item->id, area.VisibleInItem()});
    c.FillRectangle(0, 0, area.rect.width - 1, area.rect.height - 1);
    if (area.item->id == 1004) {
      c.SetDrawColor(kCell);
      c.FillRectangle(10, 10, 110, 110);
      c.FillRectangle(10, 300, 110, 400);
      c.PaintText("Cell", 10, 113);
    } else if (area.item->id == 1000) {
      c.SetDrawColor(kWhite);
      c.FillRectangle(0, 0, 276, 276);
      c.DrawBorder(0, 0, 276, 276, host::kBorderRecessed);
    }
  }

  host::WindowPainter Painter() {
    return host::WindowPainter(font_.get(),
                               [this](const host::ItemGeometry& a, Canvas& c) { DrawArea(a, c); });
  }
  host::WindowGeometry Geometry() { return host::LayoutPass(font_.get()).Run(layout_, {960, 540}); }
  std::unique_ptr<Canvas> Paint() {
    auto canvas = std::make_unique<Canvas>(960, 540, font_.get());
    geometry_ = Geometry();
    Painter().Paint(kTitle, layout_, geometry_, *canvas);
    return canvas;
  }
  Rect TextRect(const Canvas& c, const std::string& text) {
    const auto calls = c.DrawCalls().Texts(text);
    EXPECT_EQ(calls.size(), 1u) << text;
    return calls.empty() ? Rect{} : calls[0]->rect;
  }

  struct Drawn {
    scn::Int32 id;
    Rect visible;
  };
  host::Diagnostics diagnostics_;
  std::unique_ptr<host::Font> font_;
  host::Layout layout_;
  host::WindowGeometry geometry_;
  std::vector<Drawn> drawn_;
};

TEST_F(WindowPainterTest, TheChromeTabsAndButtonsArePaintedInTheirPlaces) {
  const auto c = Paint();
  EXPECT_TRUE(Inside(TextRect(*c, kTitle), geometry_.titleBar));
  EXPECT_EQ(c->PixelAt(2, 2), Theme(host::kColourTitleBar));
  EXPECT_TRUE(Inside(TextRect(*c, "File"), geometry_.menuTitles[0]));
  EXPECT_TRUE(Inside(TextRect(*c, "Help"), geometry_.menuTitles[1]));
  EXPECT_TRUE(c->DrawCalls().Texts("Refresh").empty()) << "a closed menu shows no entries";

  const host::ItemGeometry& tabs = *geometry_.Find(1001);
  const Rect face = tabs.tabs[0].rect, body = tabs.tabs[1].rect;
  EXPECT_TRUE(Inside(TextRect(*c, "Face"), face));
  EXPECT_TRUE(Inside(TextRect(*c, "Body"), body));
  EXPECT_EQ(c->PixelAt(face.x + 5, face.y + 1), Theme(host::kColourAccent)) << "the active tab is marked";
  EXPECT_EQ(c->PixelAt(body.x + 5, body.y + 1), Theme(host::kColourTabInactive));

  for (const auto& [id, text] : {std::pair{1018, "Import"}, {1017, "Download"}, {1026, "Pairing"}}) {
    const Rect button = geometry_.Find(id)->rect;
    EXPECT_TRUE(Inside(TextRect(*c, text), button)) << text;
    EXPECT_EQ(c->PixelAt(button.x + 2, button.y + 2), Theme(host::kColourButton)) << text;
    EXPECT_EQ(c->DrawCalls().Texts(text)[0]->colour, Theme(host::kColourText)) << text;
  }
}

TEST_F(WindowPainterTest, DisabledButtonsAreGreyAndHiddenOnesAreNotPainted) {
  layout_.SetEnabled(1017, false);
  layout_.SetHidden(1026, true);
  const auto c = Paint();
  const Rect button = geometry_.Find(1017)->rect;
  EXPECT_EQ(c->DrawCalls().Texts("Download")[0]->colour, Theme(host::kColourTextDisabled));
  EXPECT_EQ(c->PixelAt(button.x + 2, button.y + 2), Theme(host::kColourButtonDisabled));
  EXPECT_TRUE(c->DrawCalls().Texts("Pairing").empty());
}

TEST_F(WindowPainterTest, UserAreasDrawInTheirOwnCoordinatesThroughTheViewport) {
  layout_.SetScrollOffset(1005, {0, 200});
  const auto c = Paint();
  ASSERT_EQ(drawn_.size(), 2u) << "the face area and the pairing view, not the body tab's area";
  const Rect viewport = geometry_.Find(1005)->viewport;
  EXPECT_EQ(drawn_[0].id, 1004);
  EXPECT_EQ(drawn_[0].visible, (Rect{0, 200, viewport.width, viewport.height})) << "its own coordinates";
  EXPECT_EQ(drawn_[1].id, 1000);

  const Rect area = geometry_.Find(1004)->rect;
  EXPECT_EQ(area.y, viewport.y - 200);
  // The first cell lies above the viewport, the second shows at area y 300.
  const auto fills = c->DrawCalls().OfKind(DrawKind::Fill);
  const auto cell =
      std::find_if(fills.begin(), fills.end(), [](const auto* f) { return f->colour == kCell; });
  ASSERT_NE(cell, fills.end());
  EXPECT_EQ((*cell)->rect, (Rect{area.x + 10, area.y + 10, 101, 101})) << "window coordinates";
  EXPECT_EQ((*cell)->clip, viewport);
  EXPECT_TRUE((*cell)->Painted().Empty());
  EXPECT_NE(c->PixelAt(area.x + 20, viewport.y - 1), kCell) << "nothing above the viewport";
  EXPECT_EQ(c->PixelAt(area.x + 20, area.y + 350), kCell);
  EXPECT_TRUE(c->DrawCalls().Texts("Cell")[0]->Painted().Empty()) << "the first cell's text is scrolled away";

  // A thumb a little over a third of the track, a little under a third down it.
  const Rect bar = geometry_.Find(1005)->scrollBar;
  EXPECT_EQ(c->PixelAt(bar.x + 5, bar.y + 2), Theme(host::kColourScrollTrack));
  EXPECT_EQ(c->PixelAt(bar.x + 5, bar.y + bar.height / 2), Theme(host::kColourScrollThumb));
  EXPECT_EQ(c->PixelAt(bar.x + 5, bar.Bottom() - 3), Theme(host::kColourScrollTrack));

  const Rect qr = geometry_.Find(1000)->rect;
  EXPECT_EQ(c->PixelAt(qr.x + 20, qr.y + 20), kWhite);
  EXPECT_EQ(c->PixelAt(qr.x, qr.y), Theme(host::kColourEdgeShadow)) << "its border";
}

TEST_F(WindowPainterTest, AHiddenGroupsAreaIsNotAskedToDraw) {
  layout_.SetHidden(1025, true);
  Paint();
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].id, 1004);
}

TEST_F(WindowPainterTest, TheOpenMenuIsPaintedOverTheWindow) {
  layout_.SetOpenMenu(0);
  layout_.SetEnabled(1015, false);
  const auto c = Paint();
  EXPECT_TRUE(Inside(TextRect(*c, "Request lists"), geometry_.dropdown));
  EXPECT_EQ(c->DrawCalls().Texts("Refresh")[0]->colour, Theme(host::kColourTextDisabled));
  EXPECT_EQ(c->DrawCalls().Calls().back().text, "Preferences") << "painted last, over the rest";
  EXPECT_EQ(c->PixelAt(geometry_.menuTitles[0].x + 1, geometry_.menuTitles[0].y + 1),
            Theme(host::kColourAccent));
}

TEST_F(WindowPainterTest, TheWindowWrittenAsPngDecodesToTheSamePixels) {
  TempDir temp;
  const auto path = temp / "window.png";
  ASSERT_TRUE(Painter().WritePng(kTitle, layout_, {960, 540}, path));
  const std::string bytes = ReadFileBytes(path);
  scn::Bitmap decoded;
  const auto result =
      host::DecodePng({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, -1, decoded);
  ASSERT_EQ(result.status, host::DecodeStatus::Ok) << result.reason;
  ASSERT_EQ(decoded.width, 960);
  ASSERT_EQ(decoded.height, 540);
  ASSERT_EQ(decoded.channels, 3);

  const auto c = Paint();
  EXPECT_EQ(decoded.pixels, c->Pixels().pixels) << "the file holds exactly what was painted";
  const Rect qr = geometry_.Find(1000)->rect;
  const std::uint8_t* white = decoded.At(qr.x + 20, qr.y + 20);
  EXPECT_EQ((Rgb{white[0], white[1], white[2]}), kWhite);
  const std::uint8_t* title = decoded.At(2, 2);
  EXPECT_EQ((Rgb{title[0], title[1], title[2]}), Theme(host::kColourTitleBar));

  EXPECT_FALSE(Painter().WritePng(kTitle, layout_, {960, 540}, temp / "no" / "such" / "folder.png"));
}

TEST(WindowPainterWithoutFontTest, PaintsShapesAndRecordsTexts) {
  host::Layout layout;
  capturelayout::Build(layout, 3);
  const host::WindowGeometry g = host::LayoutPass(nullptr).Run(layout, {600, 500});
  Canvas c(600, 500, nullptr);
  host::WindowPainter(nullptr, {}).Paint("Untitled", layout, g, c);
  EXPECT_EQ(c.DrawCalls().Texts("Download").size(), 1u);
  EXPECT_EQ(c.PixelAt(2, 2), Theme(host::kColourTitleBar));
}

}  // namespace
