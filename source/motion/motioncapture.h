// The motion capture object: one downloaded body capture played back in the scene.
#pragma once

#include <vector>

#include "capturesettings.h"
#include "motion/motionframe.h"
#include "motion/motionjoint.h"
#include "scn/nodedata.h"
#include "scn/scene.h"

inline constexpr scn::Int32 kMotionCaptureObjectId = 1053360;

// Parameters of the object's description.
enum MotionCaptureParameter : scn::Int32 {
  kMotionFile = 1000,    // file name: the capture's "motionData.bin"
  kMotionLength = 1014,  // Int32: frames of the capture
};

// lastFrame before anything was applied.
inline constexpr scn::Int32 kNoMotionFrame = static_cast<scn::Int32>(0x80000080u);

class MotionCaptureObject : public scn::ObjectData {
 public:
  static scn::NodeData* Alloc();

  MotionCaptureObject() = default;
  ~MotionCaptureObject() override;
  MotionCaptureObject(const MotionCaptureObject&) = delete;
  MotionCaptureObject& operator=(const MotionCaptureObject&) = delete;

  // Loading (motioncaptureloading.cpp).
  // Clears the object and loads the capture whose "motionData.bin" parameter 1000 names: settings,
  // frames, then the skeleton. False when the frames or the skeleton cannot be read; what was read
  // before the failure stays, and loaded stays false.
  bool LoadMotionCapture(scn::SceneNode* node);
  // Appends the frames of the folder's "motionData.bin"; their count must be the settings' one.
  bool LoadMotionData(const scn::Filename& folder);
  // Appends the joints and rest matrices of the folder's "skeleton.bin".
  bool LoadSkeleton(const scn::Filename& folder);
  void ClearCapture();

  std::vector<MotionFrame*> frames;
  std::vector<MotionJoint> joints;
  std::vector<scn::Matrix> restMatricesA;
  std::vector<scn::Matrix> restMatricesB;
  CaptureSettings settings;
  scn::Bool loaded = false;
  scn::Int32 lastFrame = kNoMotionFrame;
  scn::Int32 leadingWord = 0;  // the first Int32 of "motionData.bin", stored as read

 private:
  void FreeFrames();
  // A new frame at the end of frames; null (reported) when memory runs out.
  MotionFrame* AppendFrame();
  void DropLastFrame();
};

// The object's data when node is a motion capture object, else null.
MotionCaptureObject* GetMotionCaptureObject(scn::SceneNode* node);

bool RegisterMotionCaptureObject();
