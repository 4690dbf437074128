// Scene documents: time, frame rate, the folder saved in, settings, objects, materials and undo.
#pragma once

#include <filesystem>
#include <vector>

#include "scene/nodelist.h"
#include "scene/undo.h"
#include "scn/container.h"
#include "scn/tables_scene.h"

namespace scn {

struct Document {
  explicit Document(Int32 framesPerSecond) : fps(framesPerSecond) {}
  // Objects go before materials: objects may still ask for their materials while they are freed.
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  TimeValue time;  // seconds as a fraction
  Int32 fps = 30;
  Int32 firstFrame = 0;  // the frames the timeline plays
  Int32 lastFrame = 90;
  std::filesystem::path path;  // the folder the document was saved in; empty until saved
  Container settings;
  host::NodeList objects{this};  // top-level objects
  host::NodeList materials{this};
  host::UndoLog undo;
};

}  // namespace scn

namespace host {

// The document's objects, each followed by the objects below it.
std::vector<scn::SceneNode*> ObjectsDepthFirst(const scn::Document& doc);

}  // namespace host
