#include "networking/downloadmessages.h"

#include <cstdio>

#include "networking/bitstream.h"
#include "networking/capturedownload.h"
#include "networking/messagecallbacks.h"
#include "scn/api.h"

namespace {

// Status texts shown while each file arrives.
constexpr scn::Int32 kReceivingPreview = 11001;
constexpr scn::Int32 kReceivingMovie = 11002;
constexpr scn::Int32 kReceivingFaceData = 11003;
constexpr scn::Int32 kReceivingFaceGeometry = 11004;
constexpr scn::Int32 kReceivingSound = 11005;
constexpr scn::Int32 kReceivingSettings = 11006;
constexpr scn::Int32 kReceivingMotionData = 11040;
constexpr scn::Int32 kReceivingSkeleton = 11041;

// Reads the capture name and finds its folder, which must already exist: the capture list made it.
bool ReadCaptureFolder(const char* message, BitStream& stream, scn::String& name, scn::Filename& folder) {
  if (!stream.ReadString(name)) return false;
  if (!CaptureFolderFor(message, name, folder)) return false;
  if (scn::FileExists(folder, true)) return true;
  scn::DiagnosticOutput(scn::String(message) + ": no capture folder " + folder.GetString());
  return false;
}

bool ReceiveShown(BitStream& stream, const scn::Filename& folder, const scn::String& fileName,
                  scn::Int32 statusTextId) {
  ShowReceiving(statusTextId);
  return ReceiveFile(stream, folder, fileName);
}

// A Bool that says whether the file block follows.
bool ReceiveOptional(BitStream& stream, const scn::Filename& folder, const scn::String& fileName,
                     scn::Int32 statusTextId) {
  scn::Bool present = false;
  if (!stream.ReadBool(present)) return false;
  return !present || ReceiveShown(stream, folder, fileName, statusTextId);
}

scn::String ImageFileName(const scn::String& name, std::uint16_t index) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%05u", static_cast<unsigned>(index));
  return name + "_" + digits + ".jpg";
}

bool Finish(bool ok) {
  if (ok) scn::ClearStatus();
  return ok;
}

}  // namespace

scn::Bool PerformanceGet::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return stream.WriteString(name);
  scn::Filename folder;
  if (!ReadCaptureFolder(GetName(), stream, name, folder) || !stream.ReadUInt16(imageCount)) return false;
  const bool ok = ReceiveShown(stream, folder, "faceData.txt", kReceivingFaceData) &&
                  ReceiveShown(stream, folder, "faceGeo.txt", kReceivingFaceGeometry) &&
                  ReceiveShown(stream, folder, name + "_sound.m4a", kReceivingSound);
  if (ok) AnnounceCompletedDownload(name);
  return Finish(ok);
}

void PerformanceGet::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGet(*this);
}

scn::Bool PerformanceGetImage::Serialize(scn::Bool write, BitStream& stream) {
  if (write)
    return stream.WriteString(name) && stream.WriteUInt16(imageIndex) && stream.WriteUInt16(imageCount);
  scn::Filename folder;
  if (!ReadCaptureFolder(GetName(), stream, name, folder) || !stream.ReadUInt16(imageIndex) ||
      !stream.ReadUInt16(imageCount))
    return false;
  if (!ReceiveFile(stream, folder, ImageFileName(name, imageIndex))) return false;
  // The last image finishes the capture.
  if (imageIndex + 1 == imageCount) AnnounceCompletedDownload(name);
  return Finish(true);
}

void PerformanceGetImage::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetImage(*this);
}

scn::Bool PerformanceGetPreview::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return stream.WriteString(name);
  scn::Filename folder;
  return ReadCaptureFolder(GetName(), stream, name, folder) &&
         Finish(ReceiveOptional(stream, folder, "preview.jpg", kReceivingPreview));
}

void PerformanceGetPreview::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetPreview(*this);
}

scn::Bool PerformanceGetMovie::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return stream.WriteString(name);
  scn::Filename folder;
  return ReadCaptureFolder(GetName(), stream, name, folder) &&
         Finish(ReceiveOptional(stream, folder, "movie.mov", kReceivingMovie));
}

void PerformanceGetMovie::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetMovie(*this);
}

scn::Bool PerformanceGetSettings::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return stream.WriteString(name);
  scn::Filename folder;
  scn::Bool present = false;
  if (!ReadCaptureFolder(GetName(), stream, name, folder) || !stream.ReadBool(present)) return false;
  if (!present) return Finish(true);
  // The number before the file is not used.
  scn::UInt32 unused = 0;
  return stream.ReadUInt32(unused) &&
         Finish(ReceiveShown(stream, folder, "settings.txt", kReceivingSettings));
}

void PerformanceGetSettings::Dispatch(MessageCallbacks& receiver) {
  receiver.OnPerformanceGetSettings(*this);
}

scn::Bool MotionCaptureGet::Serialize(scn::Bool write, BitStream& stream) {
  if (write) return stream.WriteString(name);
  scn::Filename folder;
  if (!ReadCaptureFolder(GetName(), stream, name, folder)) return false;
  const bool ok = ReceiveShown(stream, folder, "motionData.bin", kReceivingMotionData) &&
                  ReceiveShown(stream, folder, "skeleton.bin", kReceivingSkeleton) &&
                  ReceiveShown(stream, folder, "settings.txt", kReceivingSettings);
  if (ok) AnnounceCompletedDownload(name);
  return Finish(ok);
}

void MotionCaptureGet::Dispatch(MessageCallbacks& receiver) {
  receiver.OnMotionCaptureGet(*this);
}
