// Loading a face performance: settings, image list, frames from "faceData.txt", the face mesh from
// "faceGeo.txt", and the target mesh with its material.
#include <cmath>
#include <new>
#include <string>

#include "basecapture.h"
#include "capturename.h"
#include "face/facecapture.h"
#include "face/faceshader.h"
#include "face/imagelist.h"
#include "scn/bitmap.h"

namespace {

constexpr scn::Float64 kPi = 3.14159265358979323846;

// Material values the loader sets; their meaning is the host's.
constexpr scn::Int32 kMaterialUseColor = 500;
constexpr scn::Int32 kMaterialUseLuminance = 501;
constexpr scn::Int32 kMaterialColorShader = 8000;
constexpr scn::Int32 kMaterialLuminanceShader = 8006;
constexpr scn::Int32 kMaterialPreview = 520;
constexpr scn::Int32 kMaterialPreviewLibraryValue = 1002;
constexpr scn::Int32 kTextureProjectionUVW = 6;

bool OpenCaptureText(scn::HostFile* file, const scn::Filename& name) {
  return file && scn::OpenFile(file, name, scn::kFileRead, scn::kByteOrderIntel, scn::MakeCode("SCNC"),
                               scn::MakeCode("SCN1"));
}

// The parts of one frame of "faceData.txt" after its version, in file order, with what a failed one
// lacked.
struct FramePart {
  const char* expected;
  bool (*read)(scn::HostFile* file, FaceFrame& frame);
  bool version2Only;
};

constexpr FramePart kFrameParts[] = {
    {"the camera matrix (16 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadTokenMatrix(f, fr.cameraMatrix); }, false},
    {"the face matrix (16 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadTokenMatrix(f, fr.faceMatrix); }, false},
    {"the camera intrinsics (9 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadTokenMatrix3(f, fr.cameraIntrinsics); }, false},
    {"1220 vertices (3 numbers each)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadFaceVertices(f, fr.vertices); }, false},
    {"the blendshape weights (names and numbers)", ReadBlendshapeWeights, false},
    {"the extra values (a vector and 28 numbers)", ReadFrameExtras, false},
    {"the left eye matrix (16 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadTokenMatrix(f, fr.leftEyeMatrix); }, true},
    {"the right eye matrix (16 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) { return ReadTokenMatrix(f, fr.rightEyeMatrix); }, true},
    {"the eye vector and value (4 numbers)",
     [](scn::HostFile* f, FaceFrame& fr) {
       return ReadTokenVector(f, fr.eyeVector) && ReadTokenFloat(f, fr.eyeValue);
     },
     true},
};

// One frame of "faceData.txt" in file order; false with what the file lacked in *problem.
bool ReadFrame(scn::HostFile* file, FaceFrame& frame, scn::String* problem) {
  if (!ReadTokenInt(file, frame.version)) {
    *problem = "expected the frame version (1 or 2)";
    return false;
  }
  if (frame.version != 1 && frame.version != 2) {
    *problem = "the frame version " + std::to_string(frame.version) + " is neither 1 nor 2";
    return false;
  }
  for (const FramePart& part : kFrameParts) {
    if (part.version2Only && frame.version < 2) continue;
    if (part.read(file, frame)) continue;
    *problem = scn::String("expected ") + part.expected;
    return false;
  }
  return true;
}

// The capture camera turned into the host's camera: looking down +z with y up.
const scn::Matrix& CaptureToHostCamera() {
  static const scn::Matrix turn = scn::RotationZ(-kPi / 2) * scn::RotationY(kPi);
  return turn;
}

// A count of "faceGeo.txt": present and above zero.
bool ReadCount(scn::HostFile* file, scn::Int32& count, const char* what, scn::String* problem) {
  if (ReadTokenInt(file, count) && count > 0) return true;
  *problem = scn::String("expected ") + what + " above 0";
  return false;
}

// "expected <what> <i> of <count>"
scn::String ExpectedItem(const char* what, scn::Int32 i, scn::Int32 count) {
  return scn::String("expected ") + what + " " + std::to_string(i) + " of " + std::to_string(count);
}

// Appends as values arrive, so a count the file does not hold costs nothing.
struct FaceGeometry {
  std::vector<scn::Vector> points;
  std::vector<scn::Int32> indices;
  std::vector<scn::Vector> uvs;
};

bool ReadPoints(scn::HostFile* file, FaceGeometry& geo, scn::String* problem) {
  scn::Int32 count = 0;
  if (!ReadCount(file, count, "a point count", problem)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Vector p;
    if (!ReadTokenVector(file, p)) {
      *problem = ExpectedItem("point", i, count) + " (3 numbers)";
      return false;
    }
    geo.points.push_back(p);
  }
  return true;
}

bool ReadIndices(scn::HostFile* file, FaceGeometry& geo, scn::String* problem) {
  scn::Int32 count = 0;
  if (!ReadCount(file, count, "a point index count", problem)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Int32 index = 0;
    if (!ReadTokenInt(file, index)) {
      *problem = ExpectedItem("point index", i, count);
      return false;
    }
    // A polygon that names a point the mesh lacks would reach past the host's point array.
    if (index < 0 || static_cast<std::size_t>(index) >= geo.points.size()) {
      *problem = "point index " + std::to_string(i) + " names point " + std::to_string(index) + " of " +
                 std::to_string(geo.points.size());
      return false;
    }
    geo.indices.push_back(index);
  }
  return true;
}

bool ReadUvs(scn::HostFile* file, FaceGeometry& geo, scn::String* problem) {
  scn::Int32 count = 0;
  if (!ReadCount(file, count, "a texture coordinate count", problem)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Float64 u = 0, v = 0;
    if (!ReadTokenUV(file, u, v)) {
      *problem = ExpectedItem("texture coordinate", i, count) + " (2 numbers)";
      return false;
    }
    geo.uvs.push_back({u, v, 0.0});
  }
  return true;
}

// False with what the file lacked in *problem.
bool ReadFaceGeometry(scn::HostFile* file, FaceGeometry& geo, scn::String* problem) {
  scn::Int32 version = 0;
  if (!ReadTokenInt(file, version) || version != 1) {
    *problem = "expected version 1";
    return false;
  }
  return ReadPoints(file, geo, problem) && ReadIndices(file, geo, problem) && ReadUvs(file, geo, problem);
}

// How "faceGeo.txt" lays out its texture coordinates: one per triangle corner (k = m) or one per point
// (k = n), which the triangles reach through their point indices.
enum class UvLayout { kPerCorner, kPerPoint, kNone };

UvLayout LayoutOf(const FaceGeometry& geo) {
  if (geo.uvs.size() == geo.indices.size()) return UvLayout::kPerCorner;
  if (geo.uvs.size() == geo.points.size()) return UvLayout::kPerPoint;
  return UvLayout::kNone;
}

// The indices were checked against the points when they were read.
scn::Vector CornerUv(const FaceGeometry& geo, UvLayout layout, std::size_t corner) {
  switch (layout) {
    case UvLayout::kPerCorner:
      return geo.uvs[corner];
    case UvLayout::kPerPoint:
      return geo.uvs[static_cast<std::size_t>(geo.indices[corner])];
    case UvLayout::kNone:
      break;
  }
  return {};
}

// A polygon object of the geometry: triangles with the third corner repeated, points in centimetres,
// texture coordinates by corner; all zero when the layout is neither of the file's two.
scn::SceneNode* BuildMesh(const FaceGeometry& geo, UvLayout layout) {
  const auto pointCount = static_cast<scn::Int32>(geo.points.size());
  const auto polygonCount = static_cast<scn::Int32>(geo.indices.size() / 3);
  scn::SceneNode* mesh = scn::AllocatePolygonObject(pointCount, polygonCount);
  if (!mesh) return nullptr;
  scn::Vector* points = scn::GetPointsW(mesh);
  scn::Polygon* polygons = scn::GetPolygonsW(mesh);
  scn::SceneNode* uvw = scn::MakeTag(mesh, scn::kTagUVW, polygonCount);
  if (!points || (polygonCount > 0 && !polygons) || !uvw) {
    scn::FreeSceneNode(mesh);
    return nullptr;
  }
  for (scn::Int32 i = 0; i < pointCount; ++i) points[i] = geo.points[i] * 100.0;
  for (scn::Int32 j = 0; j < polygonCount; ++j) {
    const std::size_t k = static_cast<std::size_t>(j) * 3;
    polygons[j] = {geo.indices[k], geo.indices[k + 1], geo.indices[k + 2], geo.indices[k + 2]};
    const scn::Vector c = CornerUv(geo, layout, k + 2);
    scn::SetUVW(uvw, j, {CornerUv(geo, layout, k), CornerUv(geo, layout, k + 1), c, c});
  }
  scn::MakeTag(mesh, scn::kTagPhong, 0);
  scn::SendNodeMessage(mesh, scn::kMsgUpdate);
  return mesh;
}

}  // namespace

void FaceCaptureObject::ClearPerformance() {
  // The images of the performance before are no longer wanted.
  imageThread.EndThread(true);
  loaded = false;
  lastFrame = kNoFrame;
  FreeFrames();
  imageFiles.clear();
  imageFilesSorted = true;
  FreeImages();
  scn::FreeSceneNode(faceMesh);
  // The mesh's triangles and texture coordinates are read again with it.
  uvs.clear();
  triangleIndices.clear();
  geometryProblem_.clear();
  settings.Reset();
}

bool FaceCaptureObject::LoadPerformance(scn::SceneNode* node, scn::Document* doc, const scn::Filename& file) {
  ClearPerformance();
  const scn::Filename folder = file.GetDirectory();
  const scn::Filename settingsFile = folder + scn::Filename("settings.txt");
  if (scn::FileExists(settingsFile)) {
    if (settings.Read(settingsFile)) {
      if (!settings.hasImages) {
        scn::Container* bc = scn::GetNodeContainer(node);
        bc->SetBool(kFaceFixedImage, true);
        bc->SetInt32(kFaceImageIndex, 0);
      }
    } else {
      scn::DiagnosticOutput("settings.txt: " + settingsFile.GetString() +
                            ": cannot be read to its end; the capture plays with the default settings");
      settings.Reset();  // a bad file leaves no half-read values
    }
  }
  scn::NotifySceneChanged(0);
  scn::ClearStatus();

  scn::SetStatusText(scn::LoadResourceString(11000));
  if (!ScanImageFiles(folder)) {
    scn::ClearStatus();
    return false;
  }
  if (settings.frameCount == 0) settings.frameCount = static_cast<scn::Int32>(imageFiles.size());
  if (!ReadFrames(node, file)) return false;
  MarkImageRuns();

  scn::SceneNode* target = ResolveTarget(node, doc);
  if (!target) target = MakeMeshFromGeometry(node, doc);
  if (!target) return true;
  DressTarget(node, doc, target);
  return true;
}

bool FaceCaptureObject::ScanImageFiles(const scn::Filename& folder) {
  const std::size_t before = imageFiles.size();
  const bool listed = ListImageFiles(folder, imageFiles);
  if (imageFiles.size() != before) imageFilesSorted = false;
  if (!listed) {
    scn::DiagnosticOutput("face capture: the camera images of " + folder.GetString() + " cannot be listed");
    return false;
  }
  SortImageFilesIfNeeded();
  if (!imageFiles.empty()) {
    scn::Bitmap* first = scn::AllocateBitmap();
    if (first && scn::LoadBitmapFile(first, folder + imageFiles[0], -1) == scn::kImageOk) {
      imageWidth = scn::GetBitmapWidth(first);
      imageHeight = scn::GetBitmapHeight(first);
    }
    scn::FreeBitmap(first);
  }
  loaded = true;
  return true;
}

FaceFrame* FaceCaptureObject::AppendFrame() {
  return AppendNew(frames, "facecapture");
}

bool FaceCaptureObject::ReadFrames(scn::SceneNode* node, const scn::Filename& file) {
  HostFileHolder holder;
  scn::HostFile* f = holder.get();
  const bool exists = scn::FileExists(file);
  if (!exists || !OpenCaptureText(f, file)) {
    scn::DiagnosticOutput("faceData.txt: " + file.GetString() +
                          (exists ? " cannot be opened" : " does not exist"));
    scn::ClearStatus();
    return false;
  }
  scn::SetStatusText(scn::LoadResourceString(11000));
  const scn::Int32 count = settings.frameCount;
  if (count == 0)
    scn::DiagnosticOutput(
        "faceData.txt: " + file.GetString() +
        ": nothing to read, settings.txt gives no frame count and there are no camera images");
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::SetStatusProgress(static_cast<scn::Int32>(static_cast<scn::Float64>(i) / count * 100.0));
    FaceFrame* frame = AppendFrame();
    scn::String problem;
    const bool ok = frame && ReadFrame(f, *frame, &problem);
    if (frame && !ok) {
      scn::DiagnosticOutput("faceData.txt: " + file.GetString() + ": frame " + std::to_string(i) + " (of " +
                            std::to_string(count) + ", from 0): " + problem +
                            "; the frames before it are kept");
      // A half-read frame would play back as garbage; the whole frames before it stay.
      frames.pop_back();
      scn::DeleteObj(frame);
    }
    if (!ok) {
      scn::CloseFile(f);
      scn::ClearStatus();
      return false;
    }
    frame->hostCameraMatrix = frame->cameraMatrix * CaptureToHostCamera();
  }
  scn::CloseFile(f);
  scn::GetNodeContainer(node)->SetInt32(kFaceLength, count);
  scn::NotifySceneChanged(0);
  scn::ClearStatus();
  return true;
}

void FaceCaptureObject::MarkImageRuns() {
  const auto count = static_cast<scn::Int32>(frames.size());
  scn::Int32 lastNew = 0;
  for (scn::Int32 i = 1; i < count; ++i) {
    FaceFrame& frame = *frames[i];
    const bool repeated = frame.vertices == frames[i - 1]->vertices;
    frame.ownImage = !repeated;
    if (!repeated) lastNew = i;
    frame.imageFrameIndex = lastNew;
  }
  // Past the last run start there is no next image: the index is left outside the frames.
  scn::Int32 next = count;
  for (scn::Int32 i = count - 1; i >= 0; --i) {
    if (frames[i]->ownImage) next = i;
    frames[i]->nextImageFrameIndex = next;
  }
}

scn::SceneNode* FaceCaptureObject::LoadFaceGeometry(scn::SceneNode* node) {
  if (faceMesh) return faceMesh;
  const scn::Filename file =
      scn::GetNodeContainer(node)->GetFilename(kFaceFile).GetDirectory() + scn::Filename("faceGeo.txt");
  HostFileHolder holder;
  const bool exists = scn::FileExists(file);
  if (!exists || !OpenCaptureText(holder.get(), file)) {
    ReportGeometryProblem(file, exists ? "cannot be opened" : "does not exist");
    return nullptr;
  }
  FaceGeometry geo;
  scn::String problem;
  bool read = false;
  try {
    read = ReadFaceGeometry(holder.get(), geo, &problem);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    problem = "out of memory";
  }
  scn::CloseFile(holder.get());
  if (!read) {
    ReportGeometryProblem(file, problem + "; no face mesh");
    return nullptr;
  }
  const UvLayout layout = LayoutOf(geo);
  if (layout == UvLayout::kNone)
    scn::DiagnosticOutput("faceGeo.txt: " + file.GetString() + ": " + std::to_string(geo.uvs.size()) +
                          " texture coordinates fit neither the " + std::to_string(geo.indices.size()) +
                          " triangle corners nor the " + std::to_string(geo.points.size()) +
                          " points; the mesh gets none");
  scn::SceneNode* mesh = BuildMesh(geo, layout);
  if (!mesh) {
    ReportGeometryProblem(file, "the face mesh cannot be made");
    return nullptr;
  }
  triangleIndices = std::move(geo.indices);
  uvs = std::move(geo.uvs);
  faceMesh = mesh;
  scn::NotifySceneChanged(0);
  return faceMesh;
}

void FaceCaptureObject::ReportGeometryProblem(const scn::Filename& file, const scn::String& problem) {
  const scn::String text = "faceGeo.txt: " + file.GetString() + ": " + problem;
  // Evaluation asks again for every frame: one line for the same trouble is enough.
  if (text == geometryProblem_) return;
  geometryProblem_ = text;
  scn::DiagnosticOutput(text);
}

scn::SceneNode* FaceCaptureObject::MakeMeshFromGeometry(scn::SceneNode* node, scn::Document* doc) {
  if (!doc || !LoadFaceGeometry(node)) return nullptr;
  scn::SceneNode* mesh = scn::CloneNode(faceMesh);
  if (!mesh) return nullptr;
  scn::SetNodeName(mesh, scn::GetNodeName(node) + " Mesh");
  scn::OpenUndoStep(doc);
  if (!scn::InsertObject(doc, mesh, nullptr)) {
    scn::CloseUndoStep(doc);
    scn::FreeSceneNode(mesh);
    return nullptr;
  }
  scn::RecordUndo(doc, scn::kUndoNewNode, mesh);
  scn::CloseUndoStep(doc);
  scn::GetNodeContainer(node)->SetLink(kFaceTargetLink, scn::GetNodeId(mesh));
  lastFrame = -1;
  return mesh;
}

void FaceCaptureObject::DressTarget(scn::SceneNode* node, scn::Document* doc, scn::SceneNode* target) {
  if (scn::GetFirstTag(target, scn::kTagTexture)) return;
  scn::OpenUndoStep(doc);
  scn::SceneNode* material = scn::AllocateMaterial(scn::kTypeMaterial);
  if (!material) {
    scn::CloseUndoStep(doc);
    return;
  }
  scn::SetNodeName(material, scn::GetNodeName(node));
  scn::GetNodeContainer(material)->SetInt32(kMaterialUseColor, 1);
  if (!scn::InsertMaterial(doc, material)) {
    scn::FreeSceneNode(material);
    scn::CloseUndoStep(doc);
    return;
  }
  scn::RecordUndo(doc, scn::kUndoNewNode, material);
  scn::SceneNode* shader = scn::AllocateShader(kFaceShaderId);
  if (!shader) {
    scn::CloseUndoStep(doc);
    return;
  }
  scn::InsertShader(material, shader);
  scn::SetParameter(shader, kFaceShaderObjectLink, scn::NodeLinkValue{scn::GetNodeId(node)});
  scn::SetParameter(material, kMaterialColorShader, scn::NodeLinkValue{scn::GetNodeId(shader)});
  scn::SetParameter(material, kMaterialLuminanceShader, scn::NodeLinkValue{scn::GetNodeId(shader)});
  scn::SetParameter(material, kMaterialUseLuminance, scn::Bool(true));
  scn::SetParameter(material, kMaterialPreview, kMaterialPreviewLibraryValue);
  scn::UpdateMaterial(material, 1, 1);
  scn::SceneNode* tag = scn::MakeTag(target, scn::kTagTexture, 0);
  if (tag) {
    scn::SetParameter(tag, scn::kTextureTagProjection, kTextureProjectionUVW);
    scn::SetParameter(tag, scn::kTextureTagMaterial, scn::NodeLinkValue{scn::GetNodeId(material)});
    scn::RecordUndo(doc, scn::kUndoNewNode, tag);
  }
  scn::CloseUndoStep(doc);
}

scn::Filename FaceCaptureObject::FindSoundFile(scn::SceneNode* node) {
  const scn::Filename file = scn::GetNodeContainer(node)->GetFilename(kFaceFile);
  if (file.IsEmpty()) return scn::Filename();
  const scn::Filename folder = file.GetDirectory();
  const scn::Filename captureName = folder.GetFile();
  const scn::Filename soundName(captureName.GetString() + "_sound.m4a");
  scn::Document* doc = scn::GetNodeDocument(node);
  const scn::Filename docPath = doc ? scn::GetDocumentPath(doc) : scn::Filename();
  if (!docPath.IsEmpty() && IsSafeCaptureName(captureName.GetString())) {
    const scn::Filename copied = docPath + scn::Filename("OrvexCapture") + captureName + soundName;
    if (scn::FileExists(copied)) return copied;
  }
  const scn::Filename beside = folder + soundName;
  return scn::FileExists(beside) ? beside : scn::Filename();
}
