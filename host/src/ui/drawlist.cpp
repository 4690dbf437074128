#include "ui/drawlist.h"

namespace host {

std::vector<const DrawCall*> DrawList::OfKind(DrawKind kind) const {
  std::vector<const DrawCall*> out;
  for (const DrawCall& c : calls_)
    if (c.kind == kind) out.push_back(&c);
  return out;
}

std::vector<const DrawCall*> DrawList::Texts(std::string_view text) const {
  std::vector<const DrawCall*> out;
  for (const DrawCall& c : calls_)
    if (c.kind == DrawKind::Text && c.text == text) out.push_back(&c);
  return out;
}

}  // namespace host
