#include "animation/channel.h"

#include <cmath>
#include <limits>
#include <optional>

#include "animation/posemorph.h"
#include "animation/transform.h"
#include "scene/parameters.h"
#include "scene/scenenode.h"
#include "scn/tables_animation.h"

namespace host {
namespace {

// The component a sub id names: 0, 1 or 2; -1 for none.
int Component(scn::Int32 subId) {
  if (subId < scn::kVectorX || subId > scn::kVectorZ) return -1;
  return subId - scn::kVectorX;
}

double& At(scn::Vector& v, int component) {
  return component == 0 ? v.x : (component == 1 ? v.y : v.z);
}

scn::Vector* TransformPart(Transform& t, scn::Int32 id) {
  if (id == scn::kParamPosition) return &t.position;
  if (id == scn::kParamRotation) return &t.rotation;
  if (id == scn::kParamScale) return &t.scale;
  return nullptr;
}

// The pose morph tag holding a strength at id: the node itself or an object's first pose morph tag.
scn::SceneNode* StrengthHolder(scn::SceneNode& node, scn::Int32 id) {
  scn::SceneNode* tag = node.type == scn::kTagPoseMorph ? &node : FirstPoseMorphTag(node);
  return tag && IsPoseStrengthId(*tag, id) ? tag : nullptr;
}

ChannelValue FromParameter(const scn::Value& v, int component) {
  if (const auto* vector = std::get_if<scn::Vector>(&v)) {
    scn::Vector copy = *vector;
    if (component < 0) return copy;
    return At(copy, component);
  }
  if (component >= 0) return {};
  if (const auto* f = std::get_if<scn::Float64>(&v)) return *f;
  if (const auto* i = std::get_if<scn::Int32>(&v)) return static_cast<scn::Float64>(*i);
  if (const auto* b = std::get_if<scn::Bool>(&v)) return *b ? 1.0 : 0.0;
  return {};
}

scn::Int32 RoundToInt32(double v) {
  const double r = std::round(v);
  if (!(r > std::numeric_limits<scn::Int32>::min())) return std::numeric_limits<scn::Int32>::min();
  if (r >= std::numeric_limits<scn::Int32>::max()) return std::numeric_limits<scn::Int32>::max();
  return static_cast<scn::Int32>(r);
}

// The parameter value a number or Vector becomes in place of old; nothing when it does not fit.
std::optional<scn::Value> ToParameter(const scn::Value& old, int component, const ChannelValue& value) {
  if (const auto* vector = std::get_if<scn::Vector>(&value)) {
    if (component >= 0 ||
        !(std::holds_alternative<scn::Vector>(old) || std::holds_alternative<std::monostate>(old)))
      return std::nullopt;
    return scn::Value(*vector);
  }
  const auto* number = std::get_if<scn::Float64>(&value);
  if (!number) return std::nullopt;
  if (component >= 0) {
    const auto* vector = std::get_if<scn::Vector>(&old);
    if (!vector) return std::nullopt;
    scn::Vector changed = *vector;
    At(changed, component) = *number;
    return scn::Value(changed);
  }
  if (std::holds_alternative<scn::Int32>(old)) return scn::Value(RoundToInt32(*number));
  if (std::holds_alternative<scn::Bool>(old)) return scn::Value(scn::Bool(RoundToInt32(*number) != 0));
  if (std::holds_alternative<scn::Float64>(old) || std::holds_alternative<std::monostate>(old))
    return scn::Value(*number);
  return std::nullopt;
}

ChannelValue ReadMatrixPart(const scn::SceneNode& node, scn::Int32 id, scn::Int32 subId) {
  if (node.kind != NodeKind::Object) return {};
  Transform t = Decompose(node.matrix);
  scn::Vector* part = TransformPart(t, id);
  if (subId == 0) return *part;
  const int component = Component(subId);
  if (component < 0) return {};
  return At(*part, component);
}

bool WriteMatrixPart(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId, const ChannelValue& value) {
  if (node.kind != NodeKind::Object) return false;
  Transform t = Decompose(node.matrix);
  scn::Vector* part = TransformPart(t, id);
  const int component = Component(subId);
  if (subId == 0 && std::holds_alternative<scn::Vector>(value)) {
    *part = std::get<scn::Vector>(value);
  } else if (component >= 0 && std::holds_alternative<scn::Float64>(value)) {
    At(*part, component) = std::get<scn::Float64>(value);
  } else {
    return false;
  }
  node.matrix = Compose(t);
  return true;
}

bool Finite(const ChannelValue& value) {
  if (const auto* f = std::get_if<scn::Float64>(&value)) return std::isfinite(*f);
  if (const auto* v = std::get_if<scn::Vector>(&value))
    return std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z);
  return false;
}

}  // namespace

bool IsMatrixAddress(scn::Int32 id) {
  return id == scn::kParamPosition || id == scn::kParamRotation || id == scn::kParamScale;
}

ChannelKind KindAt(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId) {
  const ChannelValue v = ReadChannel(node, id, subId);
  if (std::holds_alternative<scn::Float64>(v)) return ChannelKind::Number;
  if (std::holds_alternative<scn::Vector>(v)) return ChannelKind::Vector;
  if (IsMatrixAddress(id)) return ChannelKind::Other;
  // A pose that is not there yet may be added later.
  if (subId == scn::kSubIdPoseStrength) return ChannelKind::Missing;
  scn::Value stored;
  if (!GetParameter(node, id, stored)) return ChannelKind::Missing;
  return ChannelKind::Other;
}

ChannelValue ReadChannel(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId) {
  if (IsMatrixAddress(id)) return ReadMatrixPart(node, id, subId);
  if (subId == scn::kSubIdPoseStrength) {
    scn::SceneNode* tag = StrengthHolder(node, id);
    if (!tag) return {};
    return PoseStrength(*tag, id);
  }
  const int component = Component(subId);
  if (subId != 0 && component < 0) return {};
  scn::Value stored;
  if (!GetParameter(node, id, stored)) return {};
  return FromParameter(stored, component);
}

bool WriteChannel(scn::SceneNode& node, scn::Int32 id, scn::Int32 subId, const ChannelValue& value) {
  if (!Finite(value)) return false;
  if (IsMatrixAddress(id)) return WriteMatrixPart(node, id, subId, value);
  if (subId == scn::kSubIdPoseStrength) {
    scn::SceneNode* tag = StrengthHolder(node, id);
    const auto* number = std::get_if<scn::Float64>(&value);
    return tag && number && SetPoseStrength(*tag, id, *number);
  }
  const int component = Component(subId);
  if (subId != 0 && component < 0) return false;
  scn::Value old;
  GetParameter(node, id, old);
  const std::optional<scn::Value> next = ToParameter(old, component, value);
  if (!next) return false;
  if (*next == old) return true;
  return SetParameter(node, id, *next);
}

}  // namespace host
