#include "ui/layoutpass.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace host {
namespace {

constexpr int kMargin = 4;
constexpr int kGap = 4;
constexpr int kFrame = 1;
constexpr int kButtonPadX = 10;
constexpr int kButtonPadY = 3;
constexpr int kTabPadX = 10;
constexpr int kScrollBar = 10;
constexpr int kMenuPadX = 8;
constexpr int kDropdownPadX = 16;
constexpr int kDropdownMinWidth = 120;
constexpr int kDividerHeight = 7;
// A minimum beyond this is taken as this, so that sums of them stay far from overflow.
constexpr int kLargest = 100000;

int Limit(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, 0, kLargest));
}

// A group that is neither the root nor a tab; only those have frames and titles of their own.
bool IsPlainGroup(const LayoutItem& item) {
  return item.kind == LayoutKind::Group && item.parent && item.parent->kind != LayoutKind::TabGroup;
}

int FrameOf(const LayoutItem& item) {
  return IsPlainGroup(item) && (item.frameStyle != 0 || !item.title.empty()) ? kFrame : 0;
}

bool HasTitleStrip(const LayoutItem& item) {
  return IsPlainGroup(item) && !item.title.empty();
}

std::vector<const LayoutItem*> VisibleChildren(const LayoutItem& item) {
  std::vector<const LayoutItem*> out;
  for (const auto& child : item.children)
    if (!child->hidden) out.push_back(child.get());
  return out;
}

// Where an item of minimum size `need` goes in its cell.
Rect InCell(const LayoutItem& item, Size need, const Rect& cell) {
  const auto place = [](scn::Int32 flags, scn::Int32 first, scn::Int32 second, int start, int room, int size,
                        int* at, int* length) {
    const bool a = flags & first, b = flags & second;
    *length = a && b ? room : std::min(size, room);
    *at = a ? start : b ? start + room - *length : start + (room - *length) / 2;
  };
  Rect r;
  place(item.flags, kAlignLeft, kAlignRight, cell.x, cell.width, need.width, &r.x, &r.width);
  place(item.flags, kAlignTop, kAlignBottom, cell.y, cell.height, need.height, &r.y, &r.height);
  return r;
}

// Spare room shared out in equal parts, the odd pixels to the first takers.
void Share(std::vector<int>& lengths, const std::vector<bool>& takes, int spare) {
  const int takers = static_cast<int>(std::count(takes.begin(), takes.end(), true));
  if (spare <= 0 || takers == 0) return;
  int odd = spare % takers;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (!takes[i]) continue;
    lengths[i] += spare / takers + (odd > 0 ? 1 : 0);
    --odd;
  }
}

// Where each of a row of lengths begins, kGap apart.
std::vector<int> Starts(int from, const std::vector<int>& lengths) {
  std::vector<int> starts;
  std::int64_t at = from;
  for (const int length : lengths) {
    starts.push_back(ClampCoordinate(at));
    at += std::int64_t(length) + kGap;
  }
  return starts;
}

int Span(const std::vector<int>& lengths) {
  if (lengths.empty()) return 0;
  const std::int64_t sum = std::accumulate(lengths.begin(), lengths.end(), std::int64_t(0));
  return ClampCoordinate(sum + std::int64_t(kGap) * (std::int64_t(lengths.size()) - 1));
}

class Pass {
 public:
  explicit Pass(const TextMetrics* metrics) : metrics_(metrics) {}

  int TextWidth(const std::string& text) const { return metrics_ ? Limit(metrics_->TextWidth(text)) : 0; }
  int Line() const { return metrics_ ? Limit(metrics_->LineHeight()) : 0; }
  int TabHeight() const { return Line() + 6; }

  Size Minimum(const LayoutItem& item);
  void PlaceGroupContent(const LayoutItem& group, const Rect& inner, const Rect& clip, bool enabled);

  std::vector<ItemGeometry> items;

 private:
  struct Grid {
    std::vector<const LayoutItem*> cells;
    int columns = 1;
    std::vector<int> widths;   // per column
    std::vector<int> heights;  // per row
  };

  Size Compute(const LayoutItem& item);
  Size GroupMinimum(const LayoutItem& group);
  Size TabGroupMinimum(const LayoutItem& group);
  Size ScrollGroupMinimum(const LayoutItem& group);
  Size AreaMinimum(const LayoutItem& area, int width) const;
  Size GivenMinimum(const LayoutItem& item);
  Grid MakeGrid(const LayoutItem& group);
  void Place(const LayoutItem& item, const Rect& rect, const Rect& clip, bool enabled);
  void PlaceHidden(const LayoutItem& item, bool enabled);
  void PlaceTabGroup(std::size_t index);
  void PlaceScrollGroup(std::size_t index);

  const TextMetrics* metrics_;
  std::unordered_map<const LayoutItem*, Size> minimums_;
};

Size Pass::Minimum(const LayoutItem& item) {
  if (auto it = minimums_.find(&item); it != minimums_.end()) return it->second;
  const Size size = Compute(item);
  minimums_[&item] = size;
  return size;
}

Size Pass::Compute(const LayoutItem& item) {
  switch (item.kind) {
    case LayoutKind::Group:
      return GroupMinimum(item);
    case LayoutKind::TabGroup:
      return TabGroupMinimum(item);
    case LayoutKind::ScrollGroup:
      return ScrollGroupMinimum(item);
    case LayoutKind::PushButton:
      return {Limit(std::max<std::int64_t>(item.minWidth, TextWidth(item.title) + 2 * kButtonPadX)),
              Limit(std::max(item.minHeight, Line() + 2 * kButtonPadY))};
    case LayoutKind::UserArea:
      return AreaMinimum(item, 0);
    case LayoutKind::CustomGadget:
      return GivenMinimum(item);
  }
  return {};
}

Size Pass::AreaMinimum(const LayoutItem& area, int width) const {
  Size size{Limit(area.minWidth), Limit(area.minHeight)};
  if (!area.minSizeQuery) return size;
  if (const std::optional<Size> asked = area.minSizeQuery(width)) {
    size.width = std::max(size.width, Limit(asked->width));
    size.height = std::max(size.height, Limit(asked->height));
  }
  return size;
}

Size Pass::GivenMinimum(const LayoutItem& item) {
  if (item.IsContainer()) return Minimum(item);
  return {Limit(item.minWidth), Limit(item.minHeight)};
}

Pass::Grid Pass::MakeGrid(const LayoutItem& group) {
  Grid grid;
  grid.cells = VisibleChildren(group);
  grid.columns = std::max(1, group.columns);
  const int count = static_cast<int>(grid.cells.size());
  grid.widths.assign(std::size_t(std::min(grid.columns, count)), 0);
  grid.heights.assign(std::size_t((count + grid.columns - 1) / grid.columns), 0);
  for (int i = 0; i < count; ++i) {
    const Size need = Minimum(*grid.cells[i]);
    int& w = grid.widths[i % grid.columns];
    int& h = grid.heights[i / grid.columns];
    w = std::max(w, need.width);
    h = std::max(h, need.height);
  }
  return grid;
}

Size Pass::GroupMinimum(const LayoutItem& group) {
  const Grid grid = MakeGrid(group);
  const int frame = FrameOf(group);
  const int strip = HasTitleStrip(group) ? Line() + 4 : 0;
  std::int64_t width = std::int64_t(Span(grid.widths)) + group.border.left + group.border.right + 2 * frame;
  if (strip > 0) width = std::max<std::int64_t>(width, TextWidth(group.title) + 8 + 2 * frame);
  const std::int64_t height =
      std::int64_t(Span(grid.heights)) + group.border.top + group.border.bottom + 2 * frame + strip;
  return {ClampCoordinate(width), ClampCoordinate(height)};
}

Size Pass::TabGroupMinimum(const LayoutItem& group) {
  std::int64_t headers = 0;
  Size page;
  for (const LayoutItem* tab : VisibleChildren(group)) {
    if (tab->kind != LayoutKind::Group) continue;
    headers += TextWidth(tab->title) + 2 * kTabPadX;
    const Size need = Minimum(*tab);
    page.width = std::max(page.width, need.width);
    page.height = std::max(page.height, need.height);
  }
  return {ClampCoordinate(std::max<std::int64_t>(headers, page.width + 2 * kFrame)),
          ClampCoordinate(std::int64_t(TabHeight()) + page.height + 2 * kFrame)};
}

Size Pass::ScrollGroupMinimum(const LayoutItem& group) {
  const bool vertical = group.scrollFlags & kScrollVertical;
  const bool horizontal = group.scrollFlags & kScrollHorizontal;
  const std::vector<const LayoutItem*> children = VisibleChildren(group);
  Size content;
  if (!children.empty()) {
    const Size full = Minimum(*children.front()), given = GivenMinimum(*children.front());
    content = {horizontal ? given.width : full.width, vertical ? given.height : full.height};
  }
  const Insets& b = group.border;
  return {ClampCoordinate(std::int64_t(content.width) + (vertical ? kScrollBar : 0) + b.left + b.right),
          ClampCoordinate(std::int64_t(content.height) + b.top + b.bottom)};
}

void Pass::PlaceHidden(const LayoutItem& item, bool enabled) {
  ItemGeometry g;
  g.item = &item;
  g.enabled = enabled && item.enabled;
  items.push_back(g);
  for (const auto& child : item.children) PlaceHidden(*child, g.enabled);
}

void Pass::Place(const LayoutItem& item, const Rect& rect, const Rect& clip, bool enabled) {
  const std::size_t index = items.size();
  ItemGeometry& g = items.emplace_back();
  g.item = &item;
  g.rect = rect;
  g.clip = Intersect(rect, clip);
  g.visible = true;
  g.enabled = enabled && item.enabled;
  switch (item.kind) {
    case LayoutKind::Group: {
      const int frame = FrameOf(item);
      const int strip = HasTitleStrip(item) ? Line() + 4 : 0;
      const Insets& b = item.border;
      g.framed = frame > 0;
      g.header = strip > 0 ? Rect{rect.x + frame, rect.y + frame, std::max(0, rect.width - 2 * frame), strip}
                           : Rect{};
      g.inner = Inset(rect, frame + b.left, frame + strip + b.top, frame + b.right, frame + b.bottom);
      const Rect inner = g.inner, innerClip = g.clip;
      PlaceGroupContent(item, inner, innerClip, g.enabled);
      break;
    }
    case LayoutKind::TabGroup:
      PlaceTabGroup(index);
      break;
    case LayoutKind::ScrollGroup:
      PlaceScrollGroup(index);
      break;
    default:
      break;
  }
}

void Pass::PlaceGroupContent(const LayoutItem& group, const Rect& inner, const Rect& clip, bool enabled) {
  Grid grid = MakeGrid(group);
  std::vector<bool> scaleColumns(grid.widths.size(), false), scaleRows(grid.heights.size(), false);
  for (std::size_t i = 0; i < grid.cells.size(); ++i) {
    if (grid.cells[i]->flags & kScaleHorizontal) scaleColumns[i % grid.columns] = true;
    if (grid.cells[i]->flags & kScaleVertical) scaleRows[i / grid.columns] = true;
  }
  Share(grid.widths, scaleColumns, inner.width - Span(grid.widths));
  Share(grid.heights, scaleRows, inner.height - Span(grid.heights));

  const std::vector<int> xs = Starts(inner.x, grid.widths), ys = Starts(inner.y, grid.heights);

  std::size_t cell = 0;
  for (const auto& child : group.children) {
    if (child->hidden) {
      PlaceHidden(*child, enabled);
      continue;
    }
    const std::size_t c = cell % grid.columns, r = cell / grid.columns;
    ++cell;
    const Rect box{xs[c], ys[r], grid.widths[c], grid.heights[r]};
    Place(*child, InCell(*child, Minimum(*child), box), clip, enabled);
  }
}

void Pass::PlaceTabGroup(std::size_t index) {
  const LayoutItem& group = *items[index].item;
  const Rect rect = items[index].rect;
  const LayoutItem* active = ActiveTab(group);
  const int tabHeight = TabHeight();
  int x = rect.x;
  for (const LayoutItem* tab : VisibleChildren(group)) {
    if (tab->kind != LayoutKind::Group) continue;
    const int width = TextWidth(tab->title) + 2 * kTabPadX;
    items[index].tabs.push_back({tab, {x, rect.y, width, tabHeight}, tab == active});
    x += width;
  }
  items[index].header = {rect.x, rect.y, rect.width, tabHeight};
  const Rect page{rect.x, rect.y + tabHeight, rect.width, std::max(0, rect.height - tabHeight)};
  items[index].inner = page;
  const Rect clip = items[index].clip;
  const bool enabled = items[index].enabled;
  for (const auto& child : group.children) {
    if (child.get() == active)
      Place(*child, Inset(page, kFrame, kFrame, kFrame, kFrame), clip, enabled);
    else
      PlaceHidden(*child, enabled);
  }
}

void Pass::PlaceScrollGroup(std::size_t index) {
  const LayoutItem& group = *items[index].item;
  const bool vertical = group.scrollFlags & kScrollVertical;
  const bool horizontal = group.scrollFlags & kScrollHorizontal;
  const Insets& b = group.border;
  const Rect inner = Inset(items[index].rect, b.left, b.top, b.right, b.bottom);
  const int bar = vertical ? std::min(kScrollBar, inner.width) : 0;
  const Rect viewport{inner.x, inner.y, inner.width - bar, inner.height};
  if (vertical) items[index].scrollBar = {viewport.Right(), inner.y, bar, inner.height};
  items[index].viewport = viewport;

  const LayoutItem* shown = nullptr;
  for (const auto& child : group.children)
    if (!child->hidden && !shown) shown = child.get();
  Size content = viewport.Extent();
  if (shown) {
    if (horizontal) content.width = std::max(content.width, Minimum(*shown).width);
    if (vertical) {
      const int need = shown->kind == LayoutKind::UserArea ? AreaMinimum(*shown, content.width).height
                                                           : Minimum(*shown).height;
      content.height = std::max(content.height, need);
    }
  }
  const Point scroll{std::clamp(group.scroll.x, 0, content.width - viewport.width),
                     std::clamp(group.scroll.y, 0, content.height - viewport.height)};
  items[index].content = content;
  items[index].scroll = scroll;
  const Rect clip = Intersect(viewport, items[index].clip);
  const bool enabled = items[index].enabled;
  for (const auto& child : group.children) {
    if (child.get() == shown)
      Place(*child, {viewport.x - scroll.x, viewport.y - scroll.y, content.width, content.height}, clip,
            enabled);
    else
      PlaceHidden(*child, enabled);
  }
}

}  // namespace

WindowGeometry LayoutPass::Run(const Layout& layout, Size window) const {
  Pass pass(metrics_);
  WindowGeometry g;
  g.window = {std::max(0, window.width), std::max(0, window.height)};
  const int line = pass.Line();
  g.titleBar = {0, 0, g.window.width, line + 8};
  const int menuHeight = layout.Menus().empty() ? 0 : line + 6;
  g.menuBar = {0, g.titleBar.Bottom(), menuHeight > 0 ? g.window.width : 0, menuHeight};
  int x = kMargin;
  for (const Menu& menu : layout.Menus()) {
    const int width = pass.TextWidth(menu.title) + 2 * kMenuPadX;
    g.menuTitles.push_back({x, g.menuBar.y, width, menuHeight});
    x += width;
  }

  const int top = g.titleBar.Bottom() + menuHeight;
  const Rect below{0, top, g.window.width, std::max(0, g.window.height - top)};
  g.content = Inset(below, kMargin, kMargin, kMargin, kMargin);
  const Size need = pass.Minimum(layout.Root());
  const Rect root{g.content.x, g.content.y, std::max(g.content.width, need.width),
                  std::max(g.content.height, need.height)};
  pass.PlaceGroupContent(layout.Root(), root, below, true);
  g.items = std::move(pass.items);

  g.openMenu = layout.OpenMenu();
  if (g.openMenu >= 0) {
    const Menu& menu = layout.Menus()[std::size_t(g.openMenu)];
    int width = kDropdownMinWidth, y = g.menuBar.Bottom();
    for (const MenuEntry& entry : menu.entries)
      width = std::max(width, pass.TextWidth(entry.text) + 2 * kDropdownPadX);
    const Rect& title = g.menuTitles[std::size_t(g.openMenu)];
    for (const MenuEntry& entry : menu.entries) {
      const int height = entry.divider ? kDividerHeight : line + 6;
      g.entries.push_back({&entry, {title.x, y, width, height}});
      y += height;
    }
    g.dropdown = {title.x, g.menuBar.Bottom(), width, y - g.menuBar.Bottom()};
  }
  return g;
}

Size LayoutPass::MinimumWindowSize(const Layout& layout) const {
  Pass pass(metrics_);
  const Size root = pass.Minimum(layout.Root());
  const int line = pass.Line();
  std::int64_t menus = kMargin;
  for (const Menu& menu : layout.Menus()) menus += pass.TextWidth(menu.title) + 2 * kMenuPadX;
  const int menuHeight = layout.Menus().empty() ? 0 : line + 6;
  return {ClampCoordinate(std::max<std::int64_t>(std::int64_t(root.width) + 2 * kMargin, menus)),
          ClampCoordinate(std::int64_t(line) + 8 + menuHeight + root.height + 2 * kMargin)};
}

}  // namespace host
