// A program run beside the test, whose standard output lines the test waits for.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class ChildProcess {
 public:
  // Starts argv[0] (a path, not searched) with standard output to the test; standard error is inherited.
  // started() is false when it could not be started.
  explicit ChildProcess(const std::vector<std::string>& argv);
  // Kills the program when it still runs.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // Waits until at least count lines start with prefix; false when time ran out or output ended first.
  bool WaitForLines(const std::string& prefix, std::size_t count, std::chrono::milliseconds timeout);
  bool WaitForLine(const std::string& prefix, std::chrono::milliseconds timeout) {
    return WaitForLines(prefix, 1, timeout);
  }
  // Every line so far that starts with prefix.
  std::vector<std::string> Lines(const std::string& prefix = "");
  // Everything printed so far, for failure messages.
  std::string Output();
  // The exit status, or nothing when the program still runs after timeout (or was killed by a signal).
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  // Asks the program to end (SIGTERM), so that it can clean up, and waits as WaitForExit does.
  std::optional<int> Terminate(std::chrono::milliseconds timeout);

 private:
  void ReadOutput(int fd);
  std::size_t CountLocked(const std::string& prefix) const;

  pid_t pid_ = -1;
  bool reaped_ = false;
  std::optional<int> status_;
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  bool ended_ = false;
};
