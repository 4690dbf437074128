// kinetra-host: loads a plug-in folder, starts the plug-in, lists what it registered, runs commands and
// ends the plug-in.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/host.h"
#include "module/pluginmodule.h"
#include "playback.h"
#include "prefs/prefsservice.h"
#include "registry/registry.h"
#include "resources/description.h"
#include "ui/uiservice.h"

namespace {

struct Args {
  std::string pluginDir = KINETRA_DEFAULT_PLUGIN_DIR;
  std::string settingsFile;
  std::vector<int> commands;
  bool showPrefs = false;
  std::vector<std::pair<int, scn::Value>> setPrefs;
  bool list = true;
  bool verbose = false;
  bool play = false;
  host::app::PlaybackOptions playback;
};

void Usage() {
  std::puts(
      "usage: kinetra-host [--plugins DIR] [--settings FILE] [--prefs] [--set-pref ID=VALUE]... [--run "
      "ID]...\n"
      "                    [--play FOLDER [--frames LIST] [--out DIR] [--fps N]] [--quiet] [--verbose]\n"
      "  --plugins DIR     plug-in folder holding the module and its res folder\n"
      "  --settings FILE   the host's settings file (preferences survive restarts)\n"
      "  --prefs           show the values of the plug-in's preference page after start\n"
      "  --set-pref ID=VALUE  set a preference: 1000 port, 1001 custom IP address, 1002 use it (0/1),\n"
      "                    1003 data folder\n"
      "  --run ID          run the registered command ID after start\n"
      "  --play FOLDER     play a face capture folder back headless: per frame, the target mesh as\n"
      "                    frame_NNNNN.obj and the weights and matrices as frame_NNNNN.txt\n"
      "  --frames LIST     document frames to play, e.g. 0,5,10-20 (default 0)\n"
      "  --out DIR         folder for the played frames (default: the current folder)\n"
      "  --fps N           frame rate of the playback document (default 30)\n"
      "  --quiet           do not list the registrations nor the played frames\n"
      "  --verbose         echo the host's diagnostics");
}

// The plug-in's preference page and the value kind each of its parameters takes.
constexpr int kPrefsPage = 1040654;

bool ParsePref(const std::string& text, std::pair<int, scn::Value>* out) {
  const auto eq = text.find('=');
  if (eq == std::string::npos) return false;
  const std::string id = text.substr(0, eq);
  const std::string value = text.substr(eq + 1);
  if (id == "1000") {
    char* end = nullptr;
    errno = 0;
    const long port = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || port < INT32_MIN || port > INT32_MAX) return false;
    *out = {1000, scn::Int32(port)};
  } else if (id == "1001") {
    *out = {1001, scn::String(value)};
  } else if (id == "1002") {
    if (value != "0" && value != "1") return false;
    *out = {1002, scn::Int32(value == "1")};
  } else if (id == "1003") {
    *out = {1003, scn::Filename(value)};
  } else {
    return false;
  }
  return true;
}

std::string ShowValue(const scn::Value& v) {
  if (auto p = std::get_if<scn::Int32>(&v)) return std::to_string(*p);
  if (auto p = std::get_if<scn::String>(&v)) return "\"" + *p + "\"";
  if (auto p = std::get_if<scn::Filename>(&v)) return "\"" + p->GetString() + "\"";
  return "(none)";
}

// " (it takes MIN to MAX)" from the page's description of the parameter; empty when it gives no limits.
std::string LimitsText(const host::PrefsService& prefs, int id) {
  const scn::Description* desc = prefs.PageDescription(kPrefsPage);
  const scn::Container* entry = desc ? desc->Find(id) : nullptr;
  if (!entry || !entry->Has(host::kDescMin) || !entry->Has(host::kDescMax)) return {};
  return " (it takes " + ShowValue(*entry->Find(host::kDescMin)) + " to " +
         ShowValue(*entry->Find(host::kDescMax)) + ")";
}

// Sets and shows the preferences as the host's preferences window would; 1 when the page fails.
int RunPrefs(host::Host& host, const Args& args) {
  if (!args.showPrefs && args.setPrefs.empty()) return 0;
  host::PrefsService& prefs = host.prefs();
  if (!prefs.OpenPage(kPrefsPage)) {
    std::fprintf(stderr, "kinetra-host: preference page %d does not open\n", kPrefsPage);
    return 1;
  }
  int status = 0;
  for (const auto& [id, value] : args.setPrefs) {
    if (prefs.SetPageValue(kPrefsPage, id, value)) continue;
    std::fprintf(stderr, "kinetra-host: preference %d refused the value %s%s\n", id, ShowValue(value).c_str(),
                 LimitsText(prefs, id).c_str());
    status = 1;
  }
  if (!args.setPrefs.empty() && args.settingsFile.empty())
    std::fprintf(stderr, "kinetra-host: no --settings file, so the preferences are not kept\n");
  if (args.showPrefs) {
    std::printf("preferences %d\n", kPrefsPage);
    std::printf("  1000 port               %s\n", ShowValue(prefs.GetPageValue(kPrefsPage, 1000)).c_str());
    std::printf("  1001 custom IP address  %s (%s)\n",
                ShowValue(prefs.GetPageValue(kPrefsPage, 1001)).c_str(),
                prefs.IsPageParameterEnabled(kPrefsPage, 1001) ? "enabled" : "disabled");
    std::printf("  1002 use custom IP      %s\n", ShowValue(prefs.GetPageValue(kPrefsPage, 1002)).c_str());
    std::printf("  1003 data folder        %s\n", ShowValue(prefs.GetPageValue(kPrefsPage, 1003)).c_str());
  }
  prefs.ClosePage(kPrefsPage);
  return status;
}

bool ParseArgs(int argc, char** argv, Args* args) {
  const char* playbackOption = nullptr;  // the first one seen, which means nothing without --play
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
    } else if (a == "--play") {
      const char* v = value("--play");
      if (!v) return false;
      args->play = true;
      args->playback.captureFolder = v;
    } else if (a == "--frames") {
      playbackOption = "--frames";
      const char* v = value("--frames");
      if (!v) return false;
      args->playback.frames = v;
    } else if (a == "--out") {
      playbackOption = "--out";
      const char* v = value("--out");
      if (!v) return false;
      args->playback.outDir = v;
    } else if (a == "--fps") {
      playbackOption = "--fps";
      const char* v = value("--fps");
      if (!v) return false;
      char* end = nullptr;
      const long fps = std::strtol(v, &end, 10);
      if (*v == '\0' || *end != '\0' || fps < 1 || fps > 1000) {
        std::fprintf(stderr, "kinetra-host: --fps takes a frame rate of 1 to 1000, not '%s'\n", v);
        return false;
      }
      args->playback.fps = static_cast<int>(fps);
    } else if (a == "--prefs") {
      args->showPrefs = true;
    } else if (a == "--set-pref") {
      const char* v = value("--set-pref");
      if (!v) return false;
      std::pair<int, scn::Value> pref;
      if (!ParsePref(v, &pref)) {
        std::fprintf(
            stderr,
            "kinetra-host: --set-pref takes 1000=PORT, 1001=ADDRESS, 1002=0|1 or 1003=FOLDER, not '%s'\n", v);
        return false;
      }
      args->setPrefs.push_back(std::move(pref));
    } else if (a == "--quiet") {
      args->list = false;
      args->playback.quiet = true;
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
  if (playbackOption && !args->play) {
    std::fprintf(stderr, "kinetra-host: %s needs --play\n", playbackOption);
    return false;
  }
  return true;
}

// The pages a user would see in the HTML viewers of the open windows.
void PrintHelpPages(host::UiService& ui) {
  for (scn::DialogWindow* w : ui.OpenWindows())
    for (scn::CustomGadget* g : ui.HtmlViewers(w)) {
      const std::string url = ui.HtmlViewerUrl(g);
      if (url.empty())
        std::puts("help page: none given");
      else
        std::printf("help page: %s (%s)\n", url.c_str(), ui.HtmlPageExists(g) ? "exists" : "missing");
    }
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
  int status = RunPrefs(host, args);
  for (int id : args.commands) {
    if (!host.registry().RunCommand(id, 0)) {
      std::fprintf(stderr, "kinetra-host: command %d failed\n", id);
      status = 1;
    }
    PrintHelpPages(host.ui());
  }
  if (args.play && host::app::RunPlayback(host, args.playback) != 0) status = 1;
  module->End();
  for (const auto& m : host.diagnostics().Misbehaviours()) {
    std::fprintf(stderr, "kinetra-host: %s\n", m.c_str());
    status = 1;
  }
  host.registry().Clear();
  return status;
}
