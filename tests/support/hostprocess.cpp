#include "hostprocess.h"

#include <sys/wait.h>

#include <cstdlib>

std::string ShellQuoted(const std::string& text) {
  return "'" + text + "'";
}

HostOutcome RunHost(const std::string& args, const std::filesystem::path& cwd, const TempDir& scratch) {
  const std::filesystem::path out = scratch / "stdout.txt", err = scratch / "stderr.txt";
  const std::string command = "cd " + ShellQuoted(cwd.string()) + " && " + ShellQuoted(KINETRA_HOST_EXE) +
                              " " + args + " >" + ShellQuoted(out.string()) + " 2>" +
                              ShellQuoted(err.string());
  const int status = std::system(command.c_str());
  HostOutcome o;
  o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.out = ReadFileBytes(out);
  o.err = ReadFileBytes(err);
  return o;
}
