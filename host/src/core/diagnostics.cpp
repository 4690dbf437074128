#include "core/diagnostics.h"

#include <cstdio>

namespace host {

void Diagnostics::Output(const std::string& text) {
  std::lock_guard lock(mutex_);
  lines_.push_back(text);
  if (echo_) std::fprintf(stderr, "%s\n", text.c_str());
}

void Diagnostics::ReportMisbehaviour(const std::string& call) {
  const std::string text = "plug-in misbehaving: " + call;
  {
    std::lock_guard lock(mutex_);
    misbehaviours_.push_back(text);
  }
  Output(text);
}

std::vector<std::string> Diagnostics::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

std::vector<std::string> Diagnostics::Misbehaviours() const {
  std::lock_guard lock(mutex_);
  return misbehaviours_;
}

bool Diagnostics::Contains(const std::string& part) const {
  std::lock_guard lock(mutex_);
  for (const auto& l : lines_)
    if (l.find(part) != std::string::npos) return true;
  return false;
}

void Diagnostics::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
  misbehaviours_.clear();
}

}  // namespace host
