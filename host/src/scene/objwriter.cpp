#include "scene/objwriter.h"

#include <charconv>

#include "scene/scenenode.h"

namespace host {
namespace {

// Shortest text that reads back as the same number.
void Number(std::string& out, scn::Float64 v) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  out += ' ';
  out.append(buffer, end);
}

const scn::SceneNode* UVWTag(const scn::SceneNode& object) {
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t))
    if (t->type == scn::kTagUVW) return t->uvw.size() >= object.polygons.size() ? t : nullptr;
  return nullptr;
}

int Corners(const scn::Polygon& p) {
  return p.c == p.d ? 3 : 4;
}

void WriteTextureCoordinates(std::string& out, const scn::SceneNode& object, const scn::SceneNode& tag) {
  for (std::size_t i = 0; i < object.polygons.size(); ++i) {
    const scn::UVWPolygon& u = tag.uvw[i];
    const scn::Vector corners[4] = {u.a, u.b, u.c, u.d};
    for (int c = 0; c < Corners(object.polygons[i]); ++c) {
      out += "vt";
      Number(out, corners[c].x);
      Number(out, corners[c].y);
      out += '\n';
    }
  }
}

void WriteFaces(std::string& out, const scn::SceneNode& object, bool withTexture) {
  long long texture = 1;
  for (const scn::Polygon& p : object.polygons) {
    const scn::Int32 corners[4] = {p.a, p.b, p.c, p.d};
    out += 'f';
    for (int c = 0; c < Corners(p); ++c) {
      out += ' ' + std::to_string(static_cast<long long>(corners[c]) + 1);
      if (withTexture) out += '/' + std::to_string(texture++);
    }
    out += '\n';
  }
}

}  // namespace

std::string WriteObj(const scn::SceneNode& object, bool transformed) {
  if (!object.IsPolygonObject()) return {};
  std::string out;
  if (!object.name.empty()) out += "o " + object.name + '\n';
  for (const scn::Vector& p : object.points) {
    const scn::Vector v = transformed ? object.matrix.Transform(p) : p;
    out += 'v';
    Number(out, v.x);
    Number(out, v.y);
    Number(out, v.z);
    out += '\n';
  }
  const scn::SceneNode* tag = UVWTag(object);
  if (tag) WriteTextureCoordinates(out, object, *tag);
  WriteFaces(out, object, tag != nullptr);
  return out;
}

}  // namespace host
