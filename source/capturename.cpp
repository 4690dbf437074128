#include "capturename.h"

namespace {

bool IsOnlyDotsAndBlanks(const scn::String& name) {
  return name.find_first_not_of(". ") == scn::String::npos;
}

bool IsForbidden(char c) {
  return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

}  // namespace

bool IsSafeCaptureName(const scn::String& name) {
  if (name.empty() || IsOnlyDotsAndBlanks(name)) return false;
  for (const char c : name)
    if (IsForbidden(c)) return false;
  return true;
}

scn::String PrintableName(const scn::String& name) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  scn::String text;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      text += c;
      continue;
    }
    text += "\\x";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}
