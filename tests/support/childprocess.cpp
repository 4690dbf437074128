#include "childprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  if (::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (pid_ <= 0) {
    ::close(fds[0]);
    return;
  }
  reader_ = std::thread([this, fd = fds[0]] { ReadOutput(fd); });
}

ChildProcess::~ChildProcess() {
  if (started()) WaitForExit(std::chrono::milliseconds(0));
  if (started() && !reaped_) {
    ::kill(pid_, SIGKILL);
    WaitForExit(std::chrono::seconds(10));
  }
  if (reader_.joinable()) reader_.join();
}

void ChildProcess::ReadOutput(int fd) {
  std::string pending;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    pending.append(buffer, static_cast<std::size_t>(got));
    std::lock_guard lock(mutex_);
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
      lines_.push_back(pending.substr(0, end));
    changed_.notify_all();
  }
  ::close(fd);
  std::lock_guard lock(mutex_);
  if (!pending.empty()) lines_.push_back(pending);
  ended_ = true;
  changed_.notify_all();
}

std::size_t ChildProcess::CountLocked(const std::string& prefix) const {
  std::size_t count = 0;
  for (const std::string& line : lines_)
    if (line.starts_with(prefix)) ++count;
  return count;
}

bool ChildProcess::WaitForLines(const std::string& prefix, std::size_t count,
                                std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return ended_ || CountLocked(prefix) >= count; });
  return CountLocked(prefix) >= count;
}

std::vector<std::string> ChildProcess::Lines(const std::string& prefix) {
  std::lock_guard lock(mutex_);
  std::vector<std::string> found;
  for (const std::string& line : lines_)
    if (line.starts_with(prefix)) found.push_back(line);
  return found;
}

std::string ChildProcess::Output() {
  std::string all;
  for (const std::string& line : Lines()) all += line + "\n";
  return all;
}

std::optional<int> ChildProcess::Terminate(std::chrono::milliseconds timeout) {
  if (!started() || reaped_) return status_;
  ::kill(pid_, SIGTERM);
  return WaitForExit(timeout);
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (reaped_) return status_;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      reaped_ = true;
      if (WIFEXITED(status)) status_ = WEXITSTATUS(status);
      return status_;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}
