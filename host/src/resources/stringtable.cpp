#include "resources/stringtable.h"

#include "resources/textlines.h"

namespace host {
namespace {
using namespace textlines;

// "\n", "\t" and "\\" stand for a line break, a tab and a backslash; any other backslash stays as written.
std::string Unescape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char next = s[i + 1];
    if (next == 'n') {
      out += '\n';
    } else if (next == 't') {
      out += '\t';
    } else if (next == '\\') {
      out += '\\';
    } else {
      out += s[i];
      continue;
    }
    ++i;
  }
  return out;
}
}  // namespace

bool ParseStringTable(std::string_view text, StringTable* out, std::string* error) {
  StringTable table;
  const bool ok = ForEachLine(text, [&](int lineNumber, std::string_view line) {
    if (IsSkipped(line)) return true;
    line = TrimLeft(line);
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) ++end;
    scn::Int32 id = 0;
    if (!ParseNumber(line.substr(0, end), &id)) {
      *error = "line " + std::to_string(lineNumber) + ": no string number at the start";
      return false;
    }
    if (!table.emplace(id, Unescape(TrimLeft(line.substr(end)))).second) {
      *error = "line " + std::to_string(lineNumber) + ": string " + std::to_string(id) + " given twice";
      return false;
    }
    return true;
  });
  if (!ok) return false;
  *out = std::move(table);
  return true;
}

}  // namespace host
