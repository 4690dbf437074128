// Loading a body capture: settings, the frames of "motionData.bin", then the joints and rest matrices
// of "skeleton.bin".
#include <new>
#include <utility>

#include "basecapture.h"
#include "motion/binarymatrix.h"
#include "motion/motioncapture.h"

namespace {

constexpr scn::Float64 kPi = 3.14159265358979323846;
constexpr scn::Int32 kLoadingText = 11000;
// The settings mode whose body matrices take an extra quarter turn.
constexpr scn::Int32 kQuarterTurnMode = 1;

bool OpenCaptureBinary(scn::HostFile* file, const scn::Filename& name) {
  return file && scn::OpenFile(file, name, scn::kFileRead, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                               scn::MakeCode("SCN1"));
}

// The body matrix in the host's orientation: a half turn about y, after a quarter turn about z in
// the quarter-turn mode.
scn::Matrix HostBodyMatrix(const scn::Matrix& body, scn::Int32 mode) {
  scn::Matrix t = body;
  if (mode == kQuarterTurnMode) t = t * scn::RotationZ(kPi / 2);
  return t * scn::RotationY(kPi);
}

scn::Int32 Percent(scn::Int32 i, scn::Int32 count) {
  return static_cast<scn::Int32>(static_cast<scn::Float64>(i) / count * 100.0);
}

}  // namespace

void MotionCaptureObject::ClearCapture() {
  loaded = false;
  lastFrame = kNoMotionFrame;
  leadingWord = 0;
  FreeFrames();
  // A reload must not hang a second skeleton onto the first.
  joints.clear();
  restMatricesA.clear();
  restMatricesB.clear();
  settings.Reset();
}

bool MotionCaptureObject::LoadMotionCapture(scn::SceneNode* node) {
  ClearCapture();
  scn::Container* bc = scn::GetNodeContainer(node);
  const scn::Filename folder = bc->GetFilename(kMotionFile).GetDirectory();
  const scn::Filename settingsFile = folder + scn::Filename("settings.txt");
  if (scn::FileExists(settingsFile)) {
    if (settings.Read(settingsFile))
      scn::NotifySceneChanged(0);
    else
      settings.Reset();  // a bad file leaves no half-read values
  }
  scn::ClearStatus();

  scn::SetStatusText(scn::LoadResourceString(kLoadingText));
  if (!LoadMotionData(folder) || !LoadSkeleton(folder)) {
    scn::ClearStatus();
    return false;
  }
  bc->SetInt32(kMotionLength, settings.frameCount);
  scn::NotifySceneChanged(0);
  scn::ClearStatus();
  loaded = true;
  return true;
}

MotionFrame* MotionCaptureObject::AppendFrame() { return AppendNew(frames, "motionframe"); }

void MotionCaptureObject::DropLastFrame() {
  scn::DeleteObj(frames.back());
  frames.pop_back();
}

bool MotionCaptureObject::LoadMotionData(const scn::Filename& folder) {
  const scn::Filename file = folder + scn::Filename("motionData.bin");
  if (!scn::FileExists(file)) return false;
  HostFileHolder holder;
  scn::HostFile* f = holder.get();
  if (!OpenCaptureBinary(f, file)) return false;
  scn::SetStatusText(scn::LoadResourceString(kLoadingText));

  scn::Int32 count = 0;
  if (!scn::ReadFileInt32(f, &leadingWord) || !scn::ReadFileInt32(f, &count)) return false;
  if (count != settings.frameCount) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::SetStatusProgress(Percent(i, count));
    MotionFrame* frame = AppendFrame();
    if (!frame) return false;
    if (!ReadMotionFrameEntry(f, *frame)) {
      // A half-read frame would play back as garbage; the whole frames before it stay.
      DropLastFrame();
      return false;
    }
    frame->hostBodyMatrix = HostBodyMatrix(frame->bodyMatrix, settings.value);
  }
  scn::CloseFile(f);
  return true;
}

bool MotionCaptureObject::LoadSkeleton(const scn::Filename& folder) {
  const scn::Filename file = folder + scn::Filename("skeleton.bin");
  if (!scn::FileExists(file)) return false;
  HostFileHolder holder;
  scn::HostFile* f = holder.get();
  if (!OpenCaptureBinary(f, file)) return false;

  // Counts are not held against the file's size: the joints and matrices before a cut stay.
  scn::Int32 count = 0;
  if (!ReadCount(f, count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    MotionJoint joint;
    if (!ReadMotionJoint(f, joint)) return false;
    scn::DiagnosticOutput(joint.tracked ? joint.name + " tracked" : joint.name);
    try {
      joints.push_back(std::move(joint));
    } catch (const std::bad_alloc&) {
      scn::ReportOutOfMemory(__FILE__, __LINE__);
      return false;
    }
  }
  if (!ReadCount(f, count) || !ReadBinaryMatrices(f, count, restMatricesA)) return false;
  if (!ReadCount(f, count) || !ReadBinaryMatrices(f, count, restMatricesB)) return false;
  scn::CloseFile(f);
  return true;
}
