// The status bar: text and progress, callable from any thread.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace host {

class StatusBar {
 public:
  void SetText(const std::string& text);
  void SetProgress(int percent);
  void Clear();

  std::string Text() const;
  int Progress() const;  // -1 when none is shown
  // Every text shown since the last Clear of the history, in order.
  std::vector<std::string> History() const;
  void ClearHistory();

 private:
  mutable std::mutex mutex_;
  std::string text_;
  int progress_ = -1;
  std::vector<std::string> history_;
};

}  // namespace host
