// kinetra-host: loads a plug-in folder, starts the plug-in, lists what it registered, runs commands and
// ends the plug-in.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/host.h"
#include "module/pluginmodule.h"
#include "registry/registry.h"

namespace {

struct Args {
  std::string pluginDir = KINETRA_DEFAULT_PLUGIN_DIR;
  std::string settingsFile;
  std::vector<int> commands;
  bool list = true;
  bool verbose = false;
};

void Usage() {
  std::puts(
      "usage: kinetra-host [--plugins DIR] [--settings FILE] [--run ID]... [--quiet] [--verbose]\n"
      "  --plugins DIR     plug-in folder holding the module and its res folder\n"
      "  --settings FILE   the host's settings file (preferences survive restarts)\n"
      "  --run ID          run the registered command ID after start\n"
      "  --quiet           do not list the registrations\n"
      "  --verbose         echo the host's diagnostics");
}

bool ParseArgs(int argc, char** argv, Args* args) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](const char* name) -> const char* {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "kinetra-host: %s needs a value\n", name);
        return nullptr;
      }
      return argv[++i];
    };
    if (a == "--plugins") {
      const char* v = value("--plugins");
      if (!v) return false;
      args->pluginDir = v;
    } else if (a == "--settings") {
      const char* v = value("--settings");
      if (!v) return false;
      args->settingsFile = v;
    } else if (a == "--run") {
      const char* v = value("--run");
      if (!v) return false;
      char* end = nullptr;
      const long id = std::strtol(v, &end, 10);
      if (*end != '\0') {
        std::fprintf(stderr, "kinetra-host: --run takes a command id, not '%s'\n", v);
        return false;
      }
      args->commands.push_back(static_cast<int>(id));
    } else if (a == "--quiet") {
      args->list = false;
    } else if (a == "--verbose") {
      args->verbose = true;
    } else if (a == "--help" || a == "-h") {
      Usage();
      std::exit(0);
    } else {
      std::fprintf(stderr, "kinetra-host: unknown argument '%s'\n", a.c_str());
      Usage();
      return false;
    }
  }
  return true;
}

void ListRegistrations(host::Registry& registry) {
  std::puts("order  kind         id        name");
  int order = 1;
  for (const auto& r : registry.Entries())
    std::printf("%5d  %-11s  %-8d  %s\n", order++, host::KindName(r.kind), r.id, r.name.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  Args args;
  if (!ParseArgs(argc, argv, &args)) return 2;
  host::Host host({args.settingsFile, args.verbose});
  std::string error;
  auto module = host::PluginModule::Load(host, args.pluginDir, &error);
  if (!module) {
    std::fprintf(stderr, "kinetra-host: load failed: %s\n", error.c_str());
    return 1;
  }
  if (module->Init() != 1) {
    std::fprintf(stderr, "kinetra-host: %s refused to initialise\n", module->Path().c_str());
    return 1;
  }
  module->Message(1, nullptr);  // load the string resource before the registrations read it
  if (!module->Start()) {
    std::fprintf(stderr, "kinetra-host: start of %s failed after %zu registrations\n", module->Path().c_str(),
                 host.registry().Entries().size());
    for (const auto& line : host.diagnostics().Lines()) std::fprintf(stderr, "  %s\n", line.c_str());
    module->End();
    return 1;
  }
  if (args.list) ListRegistrations(host.registry());
  int status = 0;
  for (int id : args.commands) {
    if (!host.registry().RunCommand(id, 0)) {
      std::fprintf(stderr, "kinetra-host: command %d failed\n", id);
      status = 1;
    }
  }
  module->End();
  for (const auto& m : host.diagnostics().Misbehaviours()) {
    std::fprintf(stderr, "kinetra-host: %s\n", m.c_str());
    status = 1;
  }
  host.registry().Clear();
  return status;
}
