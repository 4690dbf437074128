#include "prefs/settingscodec.h"

#include <bit>
#include <cstdint>

namespace host {
namespace {

constexpr std::string_view kMagic = "KSET";
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderSize = 4 + 4 + 8;
// An entry takes at least an id and a type code.
constexpr std::size_t kMinEntrySize = 5;

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

class Writer {
 public:
  void U8(std::uint8_t v) { out_ += static_cast<char>(v); }
  void U32(std::uint32_t v) { Little(v, 4); }
  void U64(std::uint64_t v) { Little(v, 8); }
  void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }
  void Vec(const scn::Vector& v) {
    F64(v.x);
    F64(v.y);
    F64(v.z);
  }
  void Text(const std::string& s) {
    U32(static_cast<std::uint32_t>(s.size()));
    out_ += s;
  }
  void Container(const scn::Container& c) {
    U32(static_cast<std::uint32_t>(c.Values().size()));
    for (const auto& [id, value] : c.Values()) {
      U32(static_cast<std::uint32_t>(id));
      U8(static_cast<std::uint8_t>(scn::TypeOf(value)));
      Payload(value);
    }
  }
  std::string& Bytes() { return out_; }

 private:
  void Little(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xff);
  }
  void Payload(const scn::Value& value) {
    std::visit(
        [this](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, scn::Int32>) U32(static_cast<std::uint32_t>(v));
          if constexpr (std::is_same_v<T, scn::Bool>) U8(v ? 1 : 0);
          if constexpr (std::is_same_v<T, scn::Float64>) F64(v);
          if constexpr (std::is_same_v<T, scn::Vector>) Vec(v);
          if constexpr (std::is_same_v<T, scn::Matrix>) {
            Vec(v.off);
            Vec(v.v1);
            Vec(v.v2);
            Vec(v.v3);
          }
          if constexpr (std::is_same_v<T, scn::String>) Text(v);
          if constexpr (std::is_same_v<T, scn::Filename>) Text(v.GetString());
          if constexpr (std::is_same_v<T, scn::ContainerBox>) Container(v.Get());
          if constexpr (std::is_same_v<T, scn::NodeLinkValue>) U64(static_cast<std::uint64_t>(v.nodeId));
        },
        value);
  }

  std::string out_;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  bool Container(scn::Container* out, int depth) {
    if (depth > kSettingsMaxDepth) return Fail("containers nested too deep");
    std::uint32_t count = 0;
    if (!U32(&count)) return false;
    if (count > Left() / kMinEntrySize)
      return Fail("entry count " + std::to_string(count) + " beyond the file");
    bool first = true;
    scn::Int32 lastId = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t rawId = 0;
      std::uint8_t type = 0;
      if (!U32(&rawId) || !U8(&type)) return false;
      const auto id = static_cast<scn::Int32>(rawId);
      if (!first && id <= lastId) return Fail("id " + std::to_string(id) + " out of order");
      first = false;
      lastId = id;
      scn::Value value;
      if (!Payload(type, &value, depth)) return false;
      out->Set(id, std::move(value));
    }
    return true;
  }

  bool AtEnd() const { return pos_ == bytes_.size(); }
  const std::string& Error() const { return error_; }

 private:
  std::size_t Left() const { return bytes_.size() - pos_; }

  bool Fail(std::string why) {
    if (error_.empty()) error_ = std::move(why) + " (at byte " + std::to_string(pos_) + ")";
    return false;
  }

  bool Little(std::uint64_t* v, int n) {
    if (Left() < static_cast<std::size_t>(n)) return Fail("truncated");
    *v = 0;
    for (int i = 0; i < n; ++i) *v |= std::uint64_t(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += n;
    return true;
  }
  bool U8(std::uint8_t* v) {
    std::uint64_t x = 0;
    if (!Little(&x, 1)) return false;
    *v = static_cast<std::uint8_t>(x);
    return true;
  }
  bool U32(std::uint32_t* v) {
    std::uint64_t x = 0;
    if (!Little(&x, 4)) return false;
    *v = static_cast<std::uint32_t>(x);
    return true;
  }
  bool F64(double* v) {
    std::uint64_t x = 0;
    if (!Little(&x, 8)) return false;
    *v = std::bit_cast<double>(x);
    return true;
  }
  bool Vec(scn::Vector* v) { return F64(&v->x) && F64(&v->y) && F64(&v->z); }
  bool Text(std::string* s) {
    std::uint32_t n = 0;
    if (!U32(&n)) return false;
    if (n > Left()) return Fail("text of " + std::to_string(n) + " bytes beyond the file");
    s->assign(bytes_.substr(pos_, n));
    pos_ += n;
    return true;
  }

  bool Payload(std::uint8_t type, scn::Value* out, int depth) {
    switch (static_cast<scn::ValueType>(type)) {
      case scn::ValueType::None:
        *out = std::monostate{};
        return true;
      case scn::ValueType::Int32: {
        std::uint32_t v = 0;
        if (!U32(&v)) return false;
        *out = static_cast<scn::Int32>(v);
        return true;
      }
      case scn::ValueType::Bool: {
        std::uint8_t v = 0;
        if (!U8(&v)) return false;
        if (v > 1) return Fail("bool of value " + std::to_string(v));
        *out = scn::Bool(v == 1);
        return true;
      }
      case scn::ValueType::Float64: {
        double v = 0;
        if (!F64(&v)) return false;
        *out = v;
        return true;
      }
      case scn::ValueType::Vector: {
        scn::Vector v;
        if (!Vec(&v)) return false;
        *out = v;
        return true;
      }
      case scn::ValueType::Matrix: {
        scn::Matrix m;
        if (!Vec(&m.off) || !Vec(&m.v1) || !Vec(&m.v2) || !Vec(&m.v3)) return false;
        *out = m;
        return true;
      }
      case scn::ValueType::String: {
        std::string s;
        if (!Text(&s)) return false;
        *out = std::move(s);
        return true;
      }
      case scn::ValueType::Filename: {
        std::string s;
        if (!Text(&s)) return false;
        *out = scn::Filename(std::move(s));
        return true;
      }
      case scn::ValueType::Container: {
        scn::ContainerBox box;
        if (!Container(&box.Get(), depth + 1)) return false;
        *out = std::move(box);
        return true;
      }
      case scn::ValueType::Link: {
        std::uint64_t v = 0;
        if (!Little(&v, 8)) return false;
        *out = scn::NodeLinkValue{static_cast<scn::Int64>(v)};
        return true;
      }
    }
    return Fail("unknown type code " + std::to_string(type));
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::string error_;
};

std::uint64_t ReadLittle(std::string_view b, int n) {
  std::uint64_t v = 0;
  for (int i = 0; i < n; ++i) v |= std::uint64_t(static_cast<unsigned char>(b[i])) << (8 * i);
  return v;
}

}  // namespace

std::string EncodeSettings(const scn::Container& settings) {
  Writer body;
  body.Container(settings);
  Writer file;
  file.Bytes() += kMagic;
  file.U32(kVersion);
  file.U64(Fnv1a(body.Bytes()));
  return file.Bytes() + body.Bytes();
}

bool DecodeSettings(std::string_view bytes, scn::Container* out, std::string* error) {
  if (bytes.size() < kHeaderSize || bytes.substr(0, 4) != kMagic) {
    *error = "not a settings file";
    return false;
  }
  if (const auto version = ReadLittle(bytes.substr(4), 4); version != kVersion) {
    *error = "settings format version " + std::to_string(version) + " is not " + std::to_string(kVersion);
    return false;
  }
  const std::string_view body = bytes.substr(kHeaderSize);
  if (ReadLittle(bytes.substr(8), 8) != Fnv1a(body)) {
    *error = "hash mismatch: the file was changed or cut short";
    return false;
  }
  Reader reader(body);
  scn::Container settings;
  if (!reader.Container(&settings, 0)) {
    *error = reader.Error();
    return false;
  }
  if (!reader.AtEnd()) {
    *error = "bytes left after the settings";
    return false;
  }
  *out = std::move(settings);
  return true;
}

}  // namespace host
