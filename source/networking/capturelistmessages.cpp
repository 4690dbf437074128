#include "networking/capturelistmessages.h"

#include <new>

#include "networking/bitstream.h"
#include "networking/capturedownload.h"
#include "networking/messagecallbacks.h"
#include "preferences.h"
#include "scn/api.h"

namespace {

bool ReadEntry(BitStream& stream, CaptureInfo& entry) {
  scn::UInt32 imageCount = 0;
  scn::UInt32 frameCount = 0;
  scn::UInt32 flag = 0;
  if (!stream.ReadString(entry.secondName) || !stream.ReadString(entry.captureName) ||
      !stream.ReadUInt32(imageCount) || !stream.ReadFloat64(entry.timestamp) ||
      !stream.ReadUInt32(frameCount) || !stream.ReadFloat32(entry.fps) || !stream.ReadUInt32(flag))
    return false;
  entry.imageCount = static_cast<scn::Int32>(imageCount);
  entry.frameCount = static_cast<scn::Int32>(frameCount);
  entry.hasImages = flag != 0;
  return true;
}

// Makes the capture's folder and "capture.info" when the capture is new to this computer; false for one
// already known, or whose name cannot be a folder.
bool TakeNewCapture(const char* message, CaptureInfo& entry) {
  if (!CaptureFolderFor(message, entry.captureName, entry.folder)) return false;
  if (!scn::FileExists(entry.folder, true) && !scn::CreateFolder(entry.folder))
    scn::DiagnosticOutput(scn::String(message) + ": cannot create " + entry.folder.GetString());
  if (scn::FileExists(entry.folder + scn::Filename(kCaptureInfoFile), false)) return false;
  if (!WriteCaptureInfo(entry))
    scn::DiagnosticOutput(scn::String(message) + ": cannot write capture.info for \"" + entry.captureName +
                          "\"");
  return true;
}

// A list answer holds only the captures new to this computer. A short entry ends the list with what came
// before it.
bool ReadCaptureList(const char* message, BitStream& stream, scn::Int32 kind,
                     std::vector<CaptureInfo>& list) {
  std::uint16_t count = 0;
  if (!stream.ReadUInt16(count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    scn::SetStatusProgress(static_cast<scn::Int32>(i * 100 / count));
    CaptureInfo entry;
    entry.kind = kind;
    if (!ReadEntry(stream, entry)) {
      scn::DiagnosticOutput(scn::String(message) + ": the list ends early, after " + std::to_string(i) +
                            " of " + std::to_string(count) + " captures");
      break;
    }
    if (!TakeNewCapture(message, entry)) continue;
    try {
      list.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
      scn::ReportOutOfMemory(__FILE__, __LINE__);
      break;
    }
  }
  scn::ClearStatus();
  return true;
}

}  // namespace

scn::Bool GetPerformances::Serialize(scn::Bool write, BitStream& stream) {
  if (!write) return ReadCaptureList(GetName(), stream, CaptureInfo::kCaptureKindFace, captures);
  scn::ClearStatus();
  return true;
}

void GetPerformances::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetPerformances(*this);
}

scn::Bool GetMotionCaptures::Serialize(scn::Bool write, BitStream& stream) {
  if (!write) return ReadCaptureList(GetName(), stream, CaptureInfo::kCaptureKindBody, captures);
  scn::ClearStatus();
  return true;
}

void GetMotionCaptures::Dispatch(MessageCallbacks& receiver) {
  receiver.OnGetMotionCaptures(*this);
}
