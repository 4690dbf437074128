#include "core/statusbar.h"

namespace host {

void StatusBar::SetText(const std::string& text) {
  std::lock_guard lock(mutex_);
  text_ = text;
  history_.push_back(text);
}

void StatusBar::SetProgress(int percent) {
  std::lock_guard lock(mutex_);
  progress_ = percent;
}

void StatusBar::Clear() {
  std::lock_guard lock(mutex_);
  text_.clear();
  progress_ = -1;
}

std::string StatusBar::Text() const {
  std::lock_guard lock(mutex_);
  return text_;
}

int StatusBar::Progress() const {
  std::lock_guard lock(mutex_);
  return progress_;
}

std::vector<std::string> StatusBar::History() const {
  std::lock_guard lock(mutex_);
  return history_;
}

void StatusBar::ClearHistory() {
  std::lock_guard lock(mutex_);
  history_.clear();
}

}  // namespace host
