#include "resources/descriptionparser.h"

#include <array>
#include <vector>

#include "resources/textlines.h"

namespace host {
namespace {
using namespace textlines;

struct TypeName {
  std::string_view name;
  DescType type;
};

constexpr std::array<TypeName, 10> kTypeNames{{
    {"LONG", DescType::Long},
    {"BOOL", DescType::Bool},
    {"REAL", DescType::Real},
    {"VECTOR", DescType::Vector},
    {"MATRIX", DescType::Matrix},
    {"STRING", DescType::String},
    {"FILENAME", DescType::Filename},
    {"LINK", DescType::Link},
    {"BUTTON", DescType::Button},
    {"GROUP", DescType::Group},
}};

bool FindType(std::string_view name, DescType* out) {
  for (const auto& t : kTypeNames) {
    if (t.name != name) continue;
    *out = t.type;
    return true;
  }
  return false;
}

// Blank-separated fields; double quotes keep blanks inside a field and are dropped, and inside them \" and
// \\ stand for a quote and a backslash.
bool SplitFields(std::string_view line, std::vector<std::string>* fields, std::string* why) {
  std::string field;
  bool inField = false;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
        field += line[++i];
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
      continue;
    }
    if (IsBlank(c)) {
      if (inField) fields->push_back(std::move(field));
      field.clear();
      inField = false;
      continue;
    }
    inField = true;
    if (c == '"')
      quoted = true;
    else
      field += c;
  }
  if (quoted) {
    *why = "a quote is not closed";
    return false;
  }
  if (inField) fields->push_back(std::move(field));
  return true;
}

// Comma-separated numbers, exactly `count` of them.
bool ParseFloats(std::string_view text, std::size_t count, std::vector<scn::Float64>* out) {
  while (true) {
    const auto comma = text.find(',');
    scn::Float64 v = 0;
    if (!ParseNumber(text.substr(0, comma), &v)) return false;
    out->push_back(v);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return out->size() == count;
}

bool ParseTypedValue(DescType type, std::string_view text, scn::Value* out) {
  switch (type) {
    case DescType::Long: {
      scn::Int32 v = 0;
      if (!ParseNumber(text, &v)) return false;
      *out = v;
      return true;
    }
    case DescType::Bool:
      if (text != "0" && text != "1") return false;
      *out = scn::Bool(text == "1");
      return true;
    case DescType::Real: {
      scn::Float64 v = 0;
      if (!ParseNumber(text, &v)) return false;
      *out = v;
      return true;
    }
    case DescType::Vector: {
      std::vector<scn::Float64> f;
      if (!ParseFloats(text, 3, &f)) return false;
      *out = scn::Vector{f[0], f[1], f[2]};
      return true;
    }
    case DescType::Matrix: {
      std::vector<scn::Float64> f;
      if (!ParseFloats(text, 12, &f)) return false;
      *out = scn::Matrix{{f[0], f[1], f[2]}, {f[3], f[4], f[5]}, {f[6], f[7], f[8]}, {f[9], f[10], f[11]}};
      return true;
    }
    case DescType::String:
      *out = scn::String(text);
      return true;
    case DescType::Filename:
      *out = scn::Filename(scn::String(text));
      return true;
    default:
      return false;
  }
}

bool HasDefault(DescType type) {
  return type != DescType::Link && type != DescType::Button && type != DescType::Group;
}

// One key=value field of an entry of the given type.
bool ParseExtra(DescType type, std::string_view field, scn::Container* entry, std::string* why) {
  const auto eq = field.find('=');
  if (eq == 0 || eq == std::string_view::npos) {
    *why = "expected key=value, not '" + std::string(field) + "'";
    return false;
  }
  const std::string_view key = field.substr(0, eq);
  const std::string_view text = field.substr(eq + 1);
  scn::Int32 id = 0;
  bool allowed = false;
  DescType valueType = type;
  if (key == "default") {
    id = scn::kDescDefault;
    allowed = HasDefault(type);
  } else if (key == "min" || key == "max" || key == "step") {
    id = key == "min" ? kDescMin : key == "max" ? kDescMax : kDescStep;
    allowed = type == DescType::Long || type == DescType::Real;
  } else if (key == "accept") {
    id = kDescAccept;
    allowed = type == DescType::Link;
    valueType = DescType::Long;
  } else {
    *why = "unknown key '" + std::string(key) + "'";
    return false;
  }
  if (!allowed) {
    *why = "key '" + std::string(key) + "' does not fit this type";
    return false;
  }
  if (entry->Has(id)) {
    *why = "key '" + std::string(key) + "' given twice";
    return false;
  }
  scn::Value value;
  if (!ParseTypedValue(valueType, text, &value)) {
    *why = "bad value for '" + std::string(key) + "': '" + std::string(text) + "'";
    return false;
  }
  entry->Set(id, std::move(value));
  return true;
}

class Parser {
 public:
  Parser(const NameLookup& names, scn::Description* desc) : names_(names), desc_(*desc) {}

  bool Line(std::string_view line, std::string* why) {
    std::vector<std::string> fields;
    if (!SplitFields(line, &fields, why)) return false;
    if (fields.front() == "END") return End(fields, why);
    if (fields.size() < 3) {
      *why = "expected <id> <TYPE> <name number>";
      return false;
    }
    scn::Int32 id = 0;
    scn::Int32 nameId = 0;
    DescType type{};
    if (!ParseNumber(std::string_view(fields[0]), &id)) {
      *why = "bad id '" + fields[0] + "'";
      return false;
    }
    if (!FindType(fields[1], &type)) {
      *why = "unknown type '" + fields[1] + "'";
      return false;
    }
    if (!ParseNumber(std::string_view(fields[2]), &nameId)) {
      *why = "bad name number '" + fields[2] + "'";
      return false;
    }
    if (desc_.entries.count(id)) {
      *why = "id " + std::to_string(id) + " given twice";
      return false;
    }
    scn::Container entry;
    entry.SetInt32(scn::kDescType, static_cast<scn::Int32>(type));
    entry.SetInt32(scn::kDescNameId, nameId);
    entry.SetString(scn::kDescName, names_ ? names_(nameId) : std::string());
    if (!openGroups_.empty()) entry.SetInt32(kDescParent, openGroups_.back());
    for (std::size_t i = 3; i < fields.size(); ++i)
      if (!ParseExtra(type, fields[i], &entry, why)) return false;
    desc_.entries.emplace(id, std::move(entry));
    desc_.order.push_back(id);
    if (type == DescType::Group) openGroups_.push_back(id);
    return true;
  }

  bool Finish(std::string* why) {
    if (openGroups_.empty()) return true;
    *why = "group " + std::to_string(openGroups_.back()) + " has no END";
    return false;
  }

 private:
  bool End(const std::vector<std::string>& fields, std::string* why) {
    if (fields.size() != 1) {
      *why = "END takes nothing after it";
      return false;
    }
    if (openGroups_.empty()) {
      *why = "END without an open GROUP";
      return false;
    }
    openGroups_.pop_back();
    return true;
  }

  const NameLookup& names_;
  scn::Description& desc_;
  std::vector<scn::Int32> openGroups_;
};
}  // namespace

bool ParseDescription(std::string_view text, const NameLookup& names, scn::Description* out,
                      std::string* error) {
  scn::Description desc;
  Parser parser(names, &desc);
  int lastLine = 0;
  std::string why;
  const bool ok = ForEachLine(text, [&](int lineNumber, std::string_view line) {
    lastLine = lineNumber;
    return IsSkipped(line) || parser.Line(line, &why);
  });
  if (!ok) {
    *error = "line " + std::to_string(lastLine) + ": " + why;
    return false;
  }
  if (!parser.Finish(&why)) {
    *error = "at the end: " + why;
    return false;
  }
  *out = std::move(desc);
  return true;
}

}  // namespace host
