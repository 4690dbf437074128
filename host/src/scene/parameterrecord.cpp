#include "scene/parameterrecord.h"

#include <type_traits>

#include "scene/links.h"

namespace host {
namespace {

bool WriteContainer(const scn::RecordTable& r, scn::RecordFile* rf, const scn::Container& c, int depth);

bool WriteValue(const scn::RecordTable& r, scn::RecordFile* rf, const scn::Value& value, int depth) {
  return std::visit(
      [&](const auto& v) -> bool {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) return true;
        if constexpr (std::is_same_v<T, scn::Int32>) return r.WriteInt32(rf, v);
        if constexpr (std::is_same_v<T, scn::Bool>) return r.WriteBool(rf, v);
        if constexpr (std::is_same_v<T, scn::Float64>) return r.WriteFloat64(rf, v);
        if constexpr (std::is_same_v<T, scn::Vector>) return r.WriteVector(rf, v);
        if constexpr (std::is_same_v<T, scn::Matrix>) return r.WriteMatrix(rf, v);
        if constexpr (std::is_same_v<T, scn::String>) return r.WriteString(rf, v);
        if constexpr (std::is_same_v<T, scn::Filename>) return r.WriteFilename(rf, v);
        if constexpr (std::is_same_v<T, scn::ContainerBox>) return WriteContainer(r, rf, v.Get(), depth + 1);
        if constexpr (std::is_same_v<T, scn::NodeLinkValue>) return WriteRecordInt64(r, rf, v.nodeId);
        return false;
      },
      value);
}

bool WriteContainer(const scn::RecordTable& r, scn::RecordFile* rf, const scn::Container& c, int depth) {
  if (depth > kParameterRecordDepth) return false;
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(c.Values().size()))) return false;
  for (const auto& [id, value] : c.Values()) {
    if (!r.WriteInt32(rf, id) || !r.WriteInt32(rf, static_cast<scn::Int32>(scn::TypeOf(value))) ||
        !WriteValue(r, rf, value, depth))
      return false;
  }
  return true;
}

bool ReadContainer(const scn::RecordTable& r, scn::RecordFile* rf, scn::Container* c, int depth);

template <typename T, typename Read>
bool ReadAs(scn::Value* out, Read read) {
  T v{};
  if (!read(&v)) return false;
  *out = std::move(v);
  return true;
}

bool ReadValue(const scn::RecordTable& r, scn::RecordFile* rf, scn::Int32 code, scn::Value* out, int depth) {
  switch (static_cast<scn::ValueType>(code)) {
    case scn::ValueType::None:
      *out = std::monostate{};
      return true;
    case scn::ValueType::Int32:
      return ReadAs<scn::Int32>(out, [&](scn::Int32* v) { return r.ReadInt32(rf, v); });
    case scn::ValueType::Bool:
      return ReadAs<scn::Bool>(out, [&](scn::Bool* v) { return r.ReadBool(rf, v); });
    case scn::ValueType::Float64:
      return ReadAs<scn::Float64>(out, [&](scn::Float64* v) { return r.ReadFloat64(rf, v); });
    case scn::ValueType::Vector:
      return ReadAs<scn::Vector>(out, [&](scn::Vector* v) { return r.ReadVector(rf, v); });
    case scn::ValueType::Matrix:
      return ReadAs<scn::Matrix>(out, [&](scn::Matrix* v) { return r.ReadMatrix(rf, v); });
    case scn::ValueType::String:
      return ReadAs<scn::String>(out, [&](scn::String* v) { return r.ReadString(rf, v); });
    case scn::ValueType::Filename:
      return ReadAs<scn::Filename>(out, [&](scn::Filename* v) { return r.ReadFilename(rf, v); });
    case scn::ValueType::Container:
      return ReadAs<scn::ContainerBox>(
          out, [&](scn::ContainerBox* v) { return ReadContainer(r, rf, &v->Get(), depth + 1); });
    case scn::ValueType::Link:
      return ReadAs<scn::NodeLinkValue>(
          out, [&](scn::NodeLinkValue* v) { return ReadRecordInt64(r, rf, &v->nodeId); });
  }
  return false;
}

bool ReadContainer(const scn::RecordTable& r, scn::RecordFile* rf, scn::Container* c, int depth) {
  if (depth > kParameterRecordDepth) return false;
  scn::Int32 count = 0;
  if (!r.ReadInt32(rf, &count) || count < 0) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Int32 id = 0, code = 0;
    scn::Value value;
    if (!r.ReadInt32(rf, &id) || !r.ReadInt32(rf, &code) || !ReadValue(r, rf, code, &value, depth))
      return false;
    c->Set(id, std::move(value));
  }
  return true;
}

}  // namespace

bool WriteParameters(const scn::RecordTable& records, scn::RecordFile* rf, const scn::Container& values) {
  return WriteContainer(records, rf, values, 0);
}

bool ReadParameters(const scn::RecordTable& records, scn::RecordFile* rf, scn::Container* values) {
  scn::Container read;
  if (!ReadContainer(records, rf, &read, 0)) return false;
  *values = std::move(read);
  return true;
}

}  // namespace host
