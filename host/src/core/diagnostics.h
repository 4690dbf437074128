// The host's debug output, and the misbehaviour reports that tests fail on.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace host {

class Diagnostics {
 public:
  // any thread
  void Output(const std::string& text);
  // any thread; "plug-in misbehaving: <call>"
  void ReportMisbehaviour(const std::string& call);

  std::vector<std::string> Lines() const;
  std::vector<std::string> Misbehaviours() const;
  bool Contains(const std::string& part) const;
  void Clear();
  void SetEcho(bool echo) { echo_ = echo; }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::vector<std::string> misbehaviours_;
  bool echo_ = false;
};

}  // namespace host
