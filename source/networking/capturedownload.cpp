#include "networking/capturedownload.h"

#include "basecapture.h"
#include "capturename.h"
#include "networking/bitstream.h"
#include "networking/completeddownloadqueue.h"
#include "preferences.h"
#include "scn/api.h"

namespace {

bool WriteBytes(const scn::Filename& path, const void* bytes, scn::Int64 count) {
  HostFileHolder file;
  if (!file || !scn::OpenFile(file.get(), path, scn::kFileWrite, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                              scn::MakeCode("SCN1"))) {
    scn::DiagnosticOutput("download: cannot open " + path.GetString() + " for writing");
    return false;
  }
  if (!scn::WriteFileBytes(file.get(), bytes, count) || !scn::CloseFile(file.get())) {
    scn::DiagnosticOutput("download: writing " + std::to_string(count) + " bytes to " + path.GetString() +
                          " failed");
    return false;
  }
  return true;
}

}  // namespace

bool CaptureFolderFor(const char* message, const scn::String& name, scn::Filename& folder) {
  if (!IsSafeCaptureName(name)) {
    scn::DiagnosticOutput(scn::String(message) + ": refusing capture name \"" + PrintableName(name) +
                          "\": it is no single folder below the captures folder");
    return false;
  }
  const scn::Filename captures = GetCapturesFolder();
  if (captures.IsEmpty()) {
    scn::DiagnosticOutput(scn::String(message) + ": no captures folder for \"" + name + "\"");
    return false;
  }
  folder = captures + scn::Filename(name);
  return true;
}

bool ReceiveFile(BitStream& stream, const scn::Filename& folder, const scn::String& fileName) {
  const scn::Int64 start = stream.GetReadPosition();
  scn::UInt32 count = 0;
  if (!stream.ReadUInt32(count)) return false;
  if (stream.GetRemaining() < static_cast<scn::Int64>(count)) {
    scn::DiagnosticOutput("download: " + fileName + " promises " + std::to_string(count) + " bytes, " +
                          std::to_string(stream.GetRemaining()) + " arrived");
    stream.SetReadPosition(start);
    return false;
  }
  const scn::Int64 bytesAt = stream.GetReadPosition();
  if (count > 0 && scn::FileExists(folder, true) &&
      !WriteBytes(folder + scn::Filename(fileName), stream.GetData() + bytesAt, count)) {
    stream.SetReadPosition(start);
    return false;
  }
  stream.SetReadPosition(bytesAt + count);
  return true;
}

void ShowReceiving(scn::Int32 statusTextId) {
  scn::SetStatusText(scn::LoadResourceString(statusTextId));
}

void AnnounceCompletedDownload(const scn::String& name) {
  if (!PushCompletedDownload(name))
    scn::DiagnosticOutput("download: \"" + name + "\" finished but could not be queued");
}
