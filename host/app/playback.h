// Headless playback: a face capture folder loaded into a new document and chosen frames written out as
// meshes and parameter reports, so a performance can be checked without the host application.
#pragma once

#include <string>

namespace host {
class Host;
}

namespace host::app {

struct PlaybackOptions {
  std::string captureFolder;  // empty: no playback
  std::string frames = "0";   // as ParseFrameList reads it
  std::string outDir = ".";
  int fps = 30;
  bool quiet = false;  // no progress lines
};

// Needs the plug-in started in host. Writes frame_NNNNN.obj and frame_NNNNN.txt per frame into the out
// folder; 0, or 1 after a message on stderr.
int RunPlayback(Host& host, const PlaybackOptions& options);

}  // namespace host::app
