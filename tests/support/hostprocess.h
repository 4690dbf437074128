// kinetra-host run as a user runs it: a child process with the plug-in folder it was built with.
#pragma once

#include <filesystem>
#include <string>

#include "tempdir.h"

struct HostOutcome {
  int code = -1;  // the exit status; -1 when the program did not exit
  std::string out, err;
};

// The text in single quotes for the shell.
std::string ShellQuoted(const std::string& text);

// Runs kinetra-host with args (already quoted for the shell) in folder cwd; its output goes through
// files in scratch.
HostOutcome RunHost(const std::string& args, const std::filesystem::path& cwd, const TempDir& scratch);
