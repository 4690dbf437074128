// Containers: parameter values by id, as the host stores them for nodes, settings and preferences.
#pragma once

#include <map>
#include <memory>
#include <variant>

#include "scn/filename.h"
#include "scn/types.h"

namespace scn {

class Container;

// A link to a scene node, by the host's node id; 0 links nowhere.
struct NodeLinkValue {
  Int64 nodeId = 0;
  friend bool operator==(const NodeLinkValue&, const NodeLinkValue&) = default;
};

// Owns a nested container with value semantics.
class ContainerBox {
 public:
  ContainerBox();
  explicit ContainerBox(const Container& c);
  ContainerBox(const ContainerBox& other);
  ContainerBox& operator=(const ContainerBox& other);
  ContainerBox(ContainerBox&&) noexcept = default;
  ContainerBox& operator=(ContainerBox&&) noexcept = default;
  ~ContainerBox();
  Container& Get() { return *box_; }
  const Container& Get() const { return *box_; }
  friend bool operator==(const ContainerBox& a, const ContainerBox& b);

 private:
  std::unique_ptr<Container> box_;
};

// Value types in the order of their type codes.
enum class ValueType : Int32 {
  None,
  Int32,
  Bool,
  Float64,
  Vector,
  Matrix,
  String,
  Filename,
  Container,
  Link
};

using Value = std::variant<std::monostate, Int32, Bool, Float64, Vector, Matrix, String, Filename,
                           ContainerBox, NodeLinkValue>;

inline ValueType TypeOf(const Value& v) {
  return static_cast<ValueType>(v.index());
}

class Container {
 public:
  Bool Has(Int32 id) const { return values_.count(id) != 0; }
  ValueType GetType(Int32 id) const {
    auto it = values_.find(id);
    return it == values_.end() ? ValueType::None : TypeOf(it->second);
  }
  const Value* Find(Int32 id) const {
    auto it = values_.find(id);
    return it == values_.end() ? nullptr : &it->second;
  }
  void Set(Int32 id, Value v) { values_[id] = std::move(v); }
  void Remove(Int32 id) { values_.erase(id); }
  void Clear() { values_.clear(); }
  const std::map<Int32, Value>& Values() const { return values_; }

  void SetInt32(Int32 id, Int32 v) { Set(id, v); }
  void SetBool(Int32 id, Bool v) { Set(id, v); }
  void SetFloat(Int32 id, Float64 v) { Set(id, v); }
  void SetVector(Int32 id, const Vector& v) { Set(id, v); }
  void SetMatrix(Int32 id, const Matrix& v) { Set(id, v); }
  void SetString(Int32 id, const String& v) { Set(id, v); }
  void SetFilename(Int32 id, const Filename& v) { Set(id, v); }
  void SetContainer(Int32 id, const Container& v) { Set(id, ContainerBox(v)); }
  void SetLink(Int32 id, Int64 nodeId) { Set(id, NodeLinkValue{nodeId}); }

  // Readers convert between the number types as the host does (Bool, Int32, Float64) and give the
  // default for a missing value or another type.
  Int32 GetInt32(Int32 id, Int32 def = 0) const {
    const Value* v = Find(id);
    if (!v) return def;
    if (auto p = std::get_if<Int32>(v)) return *p;
    if (auto p = std::get_if<Bool>(v)) return *p ? 1 : 0;
    if (auto p = std::get_if<Float64>(v)) return static_cast<Int32>(*p);
    return def;
  }
  Bool GetBool(Int32 id, Bool def = false) const {
    const Value* v = Find(id);
    if (!v) return def;
    if (auto p = std::get_if<Bool>(v)) return *p;
    if (auto p = std::get_if<Int32>(v)) return *p != 0;
    if (auto p = std::get_if<Float64>(v)) return *p != 0.0;
    return def;
  }
  Float64 GetFloat(Int32 id, Float64 def = 0.0) const {
    const Value* v = Find(id);
    if (!v) return def;
    if (auto p = std::get_if<Float64>(v)) return *p;
    if (auto p = std::get_if<Int32>(v)) return *p;
    if (auto p = std::get_if<Bool>(v)) return *p ? 1.0 : 0.0;
    return def;
  }
  Vector GetVector(Int32 id, const Vector& def = {}) const { return GetAs<Vector>(id, def); }
  Matrix GetMatrix(Int32 id, const Matrix& def = {}) const { return GetAs<Matrix>(id, def); }
  String GetString(Int32 id, const String& def = {}) const { return GetAs<String>(id, def); }
  Filename GetFilename(Int32 id, const Filename& def = {}) const {
    const Value* v = Find(id);
    if (!v) return def;
    if (auto p = std::get_if<Filename>(v)) return *p;
    if (auto p = std::get_if<String>(v)) return Filename(*p);
    return def;
  }
  Int64 GetLink(Int32 id) const { return GetAs<NodeLinkValue>(id, {}).nodeId; }

  // The nested container under id, or null when the value is missing or of another type.
  Container* GetContainerInstance(Int32 id) {
    auto it = values_.find(id);
    if (it == values_.end()) return nullptr;
    auto p = std::get_if<ContainerBox>(&it->second);
    return p ? &p->Get() : nullptr;
  }

  friend bool operator==(const Container& a, const Container& b) { return a.values_ == b.values_; }

 private:
  template <typename T>
  T GetAs(Int32 id, const T& def) const {
    const Value* v = Find(id);
    if (!v) return def;
    auto p = std::get_if<T>(v);
    return p ? *p : def;
  }

  std::map<Int32, Value> values_;
};

inline ContainerBox::ContainerBox() : box_(std::make_unique<Container>()) {}
inline ContainerBox::ContainerBox(const Container& c) : box_(std::make_unique<Container>(c)) {}
inline ContainerBox::ContainerBox(const ContainerBox& other)
    : box_(std::make_unique<Container>(other.Get())) {}
inline ContainerBox& ContainerBox::operator=(const ContainerBox& other) {
  if (this != &other) box_ = std::make_unique<Container>(other.Get());
  return *this;
}
inline ContainerBox::~ContainerBox() = default;
inline bool operator==(const ContainerBox& a, const ContainerBox& b) {
  return a.Get() == b.Get();
}

}  // namespace scn
