#include "main.h"

#include <cstdint>

#include "capturedialog.h"
#include "face/eyetag.h"
#include "face/facecapture.h"
#include "face/faceposetag.h"
#include "face/faceshader.h"
#include "helpdialog.h"
#include "motion/motioncapture.h"
#include "networking/completeddownloadqueue.h"
#include "preferences.h"
#include "scn/api.h"

namespace {
// How often the host initialised the module; the last end ends the plug-in.
int g_initCount = 0;
}  // namespace

// Platform glue the host's class library fills and reads.
extern "C" {
__attribute__((visibility("default"))) void* g_orvex = nullptr;
__attribute__((visibility("default"))) void (*g_CpuYieldDelegate)() = nullptr;
}

bool PluginStart() {
  using Registration = bool (*)();
  static constexpr Registration kRegistrations[] = {
      RegisterFaceCaptureObject, RegisterMotionCaptureObject, RegisterCaptureDialog, RegisterARPreferences,
      RegisterEyeTag,            RegisterFaceShader,          RegisterFacePoseTag,   RegisterShowHelpCommand,
  };
  for (Registration reg : kRegistrations)
    if (!reg()) return false;
  if (g_completedDownloadQueue) return true;
  g_completedDownloadQueue = scn::NewObjClear<CompletedDownloadQueue>("capturedialog.h", __LINE__);
  if (!g_completedDownloadQueue) scn::ReportOutOfMemory(__FILE__, __LINE__);
  return true;
}

void PluginEnd() {
  if (!g_completedDownloadQueue) return;
  scn::MemDeleteWith(g_completedDownloadQueue, DeleteCompletedDownloadQueue);
  g_completedDownloadQueue = nullptr;
}

bool PluginMessage(scn::Int32 id, void*) {
  switch (id) {
    case 0:
      return true;
    case 1:
      return scn::InitPluginResource();
    default:
      return false;
  }
}

extern "C" __attribute__((visibility("default"))) scn::Int32 scn_main(scn::Int32 action, void* p1, void* p2,
                                                                       void* p3) {
  switch (action) {
    case 1: {
      auto* tables = static_cast<const scn::HostTables*>(p1);
      if (!tables || tables->version < scn::kHostApiVersion || !p3) return -3;
      if (!scn::SetHostTables(tables)) return -3;
      ++g_initCount;
      return 1;
    }
    case 2:
      // Before a successful initialise there are no host tables to register through.
      if (g_initCount == 0) return 0;
      return PluginStart() ? 1 : 0;
    case 3:
      if (g_initCount > 0 && --g_initCount == 0) PluginEnd();
      return 1;
    case 4:
      return 5;
    case 6: {
      if (g_initCount == 0) return -1;
      const auto id = static_cast<scn::Int32>(reinterpret_cast<std::uintptr_t>(p1) & 0xffffffffu);
      return PluginMessage(id, p2) ? 1 : -1;
    }
    default:
      return -1;
  }
}
