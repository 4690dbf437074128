// The face capture object in a scene file: its offset, sound link, frames, image list, face mesh and
// settings, through the host's record file.
#include <limits>
#include <new>

#include "capturename.h"
#include "face/facecapture.h"

namespace {

// Records of this level and above carry the settings version.
constexpr scn::Int32 kSettingsVersionLevel = 3;
constexpr scn::Int32 kSettingsRecordVersion = 2;

bool WriteCount(scn::RecordFile* rf, std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<scn::Int32>::max())) return false;
  return scn::WriteRecordInt32(rf, static_cast<scn::Int32>(count));
}

bool ReadCount(scn::RecordFile* rf, scn::Int32* count) {
  return scn::ReadRecordInt32(rf, count) && *count >= 0;
}

// Values are appended as they are read: a count the record does not hold costs nothing.
template <typename T, typename Reader>
bool ReadArray(scn::RecordFile* rf, std::vector<T>& out, Reader read) {
  scn::Int32 count = 0;
  if (!ReadCount(rf, &count)) return false;
  out.clear();
  for (scn::Int32 i = 0; i < count; ++i) {
    T value{};
    if (!read(rf, &value)) return false;
    out.push_back(value);
  }
  return true;
}

// The image thread and the shader join each name to the capture folder: none may lead out of it.
bool AllPlainFileNames(const std::vector<scn::Filename>& names) {
  for (const scn::Filename& name : names) {
    if (IsSafeCaptureName(name.GetString())) continue;
    scn::DiagnosticOutput("face capture record: refusing the image file \"" +
                          PrintableName(name.GetString()) +
                          "\": it is no plain file name of the capture folder");
    return false;
  }
  return true;
}

}  // namespace

scn::Bool FaceCaptureObject::SaveNodeData(scn::SceneNode*, scn::RecordFile* rf) {
  try {
    return WriteRecord(rf);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return false;
  }
}

bool FaceCaptureObject::WriteRecord(scn::RecordFile* rf) {
  if (!scn::WriteRecordMatrix(rf, offsetMatrix) || !soundLink || !scn::WriteLinkRecord(rf, soundLink))
    return false;
  if (!WriteCount(rf, frames.size())) return false;
  for (const FaceFrame* frame : frames)
    if (!frame->Write(rf)) return false;
  SortImageFilesIfNeeded();
  if (!WriteCount(rf, imageFiles.size())) return false;
  for (const scn::Filename& name : imageFiles)
    if (!scn::WriteRecordFilename(rf, name)) return false;
  if (!scn::WriteRecordBool(rf, faceMesh != nullptr)) return false;
  if (faceMesh && !scn::WriteObjectRecord(rf, faceMesh)) return false;
  if (!WriteCount(rf, uvs.size())) return false;
  for (const scn::Vector& uv : uvs)
    if (!scn::WriteRecordVector(rf, uv)) return false;
  if (!WriteCount(rf, triangleIndices.size())) return false;
  for (scn::Int32 index : triangleIndices)
    if (!scn::WriteRecordInt32(rf, index)) return false;
  return scn::WriteRecordInt32(rf, imageWidth) && scn::WriteRecordInt32(rf, imageHeight) &&
         scn::WriteRecordInt32(rf, kSettingsRecordVersion) && scn::WriteRecordFloat64(rf, settings.fps) &&
         scn::WriteRecordBool(rf, settings.hasImages) && scn::WriteRecordInt32(rf, settings.frameCount) &&
         scn::WriteRecordString(rf, settings.text) && scn::WriteRecordInt32(rf, settings.value);
}

scn::Bool FaceCaptureObject::LoadNodeData(scn::SceneNode* node, scn::RecordFile* rf, scn::Int32 level) {
  ClearPerformance();
  bool ok = false;
  try {
    ok = ReadRecord(node, rf, level);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
  }
  if (!ok) return false;
  loaded = true;
  if (level == 0) scn::GetNodeContainer(node)->SetInt32(kFaceTurnNewMeshes, 0);
  return true;
}

bool FaceCaptureObject::ReadRecord(scn::SceneNode*, scn::RecordFile* rf, scn::Int32 level) {
  if (!scn::ReadRecordMatrix(rf, &offsetMatrix) || !soundLink || !scn::ReadLinkRecord(rf, soundLink))
    return false;
  scn::Int32 count = 0;
  if (!ReadCount(rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    FaceFrame* frame = AppendFrame();
    if (!frame) return false;
    if (!frame->Read(rf)) return false;
  }
  if (!ReadArray(rf, imageFiles, scn::ReadRecordFilename) || !AllPlainFileNames(imageFiles)) return false;
  imageFilesSorted = imageFiles.empty();
  scn::Bool hasMesh = false;
  if (!scn::ReadRecordBool(rf, &hasMesh)) return false;
  if (hasMesh) {
    faceMesh = scn::ReadObjectRecord(rf);
    if (!faceMesh) return false;
  }
  if (!ReadArray(rf, uvs, scn::ReadRecordVector) || !ReadArray(rf, triangleIndices, scn::ReadRecordInt32))
    return false;
  if (!scn::ReadRecordInt32(rf, &imageWidth) || !scn::ReadRecordInt32(rf, &imageHeight)) return false;
  scn::Int32 settingsVersion = 0;
  if (level >= kSettingsVersionLevel && !scn::ReadRecordInt32(rf, &settingsVersion)) return false;
  if (!scn::ReadRecordFloat64(rf, &settings.fps) || !scn::ReadRecordBool(rf, &settings.hasImages) ||
      !scn::ReadRecordInt32(rf, &settings.frameCount) || !scn::ReadRecordString(rf, &settings.text))
    return false;
  if (level >= kSettingsVersionLevel && settingsVersion >= 2 && !scn::ReadRecordInt32(rf, &settings.value))
    return false;
  return true;
}
