// Loads a face performance's camera images into bitmaps away from the main thread, so that the face
// shader can show the image of the current frame.
#pragma once

#include <vector>

#include "scn/api.h"
#include "scn/thread.h"

class FaceCaptureObject;

class ImageConverterThread : public scn::SCNThread {
 public:
  explicit ImageConverterThread(FaceCaptureObject& owner) : owner_(owner) {}

  // Main thread: loads folder / each of files, in that order. False when a run is still going.
  bool Start(const scn::Filename& folder, const std::vector<scn::Filename>& files);

  void RunThread() override;
  const char* ThreadDisplayName() override { return "ImageConverterThread"; }

 private:
  FaceCaptureObject& owner_;
  // Copies taken on the main thread: the thread never reads the object's list or parameters.
  scn::Filename folder_;
  std::vector<scn::Filename> files_;
};
