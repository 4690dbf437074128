// The face capture object's buttons that build scene parts or files: the capture camera, and copying the
// performance into the document's folder.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "capturename.h"
#include "face/facecapture.h"

namespace {

constexpr char kDocumentCaptureFolder[] = "OrvexCapture";
constexpr scn::Int32 kNoFolderText = 11014;
constexpr scn::Int32 kNoCaptureFolderText = 11015;
constexpr scn::Int32 kUnsavedText = 11016;
constexpr scn::Int32 kCopyingText = 11017;
constexpr scn::Int32 kCopyFailedText = 11100;

bool EndsWith(const scn::String& name, const char* suffix) {
  const std::size_t n = std::char_traits<char>::length(suffix);
  if (name.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - n + i])) != suffix[i]) return false;
  return true;
}

// The folder, made when it is not there.
bool EnsureFolder(const scn::Filename& folder) {
  return scn::FileExists(folder, true) || scn::CreateFolder(folder);
}

// The camera images and the sound, which the document keeps beside itself.
std::vector<scn::Filename> FilesToCopy(const scn::Filename& folder) {
  std::vector<scn::Filename> names;
  scn::FolderBrowser* browser = scn::OpenFolderBrowser(folder);
  if (!browser) return names;
  scn::Filename entry;
  scn::Bool isDirectory = false;
  while (scn::BrowseNext(browser, &entry, &isDirectory)) {
    if (isDirectory) continue;
    const scn::String& name = entry.GetString();
    if (EndsWith(name, ".jpg") || EndsWith(name, ".m4a")) names.push_back(entry);
  }
  scn::CloseFolderBrowser(browser);
  return names;
}

}  // namespace

void FaceCaptureObject::MakeCamera(scn::SceneNode* node, scn::Document* doc) {
  if (!doc) return;
  scn::Container* bc = scn::GetNodeContainer(node);
  if (scn::ResolveLinkValue(doc, bc->GetLink(kFaceCameraLink), 0)) return;
  scn::SceneNode* camera = scn::AllocateObject(scn::kTypeCamera);
  if (!camera) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return;
  }
  scn::SetNodeName(camera, scn::GetNodeName(node) + " Camera [LOCKED]");
  scn::OpenUndoStep(doc);
  if (!scn::InsertObject(doc, camera, nullptr)) {
    scn::CloseUndoStep(doc);
    scn::FreeSceneNode(camera);
    return;
  }
  scn::RecordUndo(doc, scn::kUndoNewNode, camera);
  scn::CloseUndoStep(doc);
  bc->SetLink(kFaceCameraLink, scn::GetNodeId(camera));
  lastFrame = -1;
  scn::NotifySceneChanged(0);
}

bool FaceCaptureObject::IsInDocumentFolder(scn::SceneNode* node, scn::Document* doc) const {
  if (!doc) return false;
  const scn::Filename docPath = scn::GetDocumentPath(doc);
  const scn::Filename file = scn::GetNodeContainer(node)->GetFilename(kFaceFile);
  if (docPath.IsEmpty() || file.IsEmpty()) return false;
  const scn::Filename captureFolder = file.GetDirectory();
  return captureFolder.GetDirectory() == docPath + scn::Filename(kDocumentCaptureFolder);
}

void FaceCaptureObject::FitDocumentToCapture(scn::SceneNode* node, scn::Document* doc) {
  if (!doc || frames.empty()) return;
  const scn::Container* bc = scn::GetNodeContainer(node);
  const scn::Int32 start = bc->GetInt32(kFaceStartFrame);
  const scn::Int32 length = std::max(bc->GetInt32(kFaceLength), 1);
  // A phone's rate such as 59.94 plays at the nearest whole rate the document has.
  if (std::isfinite(settings.fps) && settings.fps >= 0.5 && settings.fps < 100000.0)
    scn::SetDocumentFps(doc, static_cast<scn::Int32>(std::lround(settings.fps)));
  const scn::Int64 last = static_cast<scn::Int64>(start) + length - 1;
  scn::SetDocumentRange(doc, start, static_cast<scn::Int32>(std::min<scn::Int64>(last, INT32_MAX)));
  lastFrame = -1;
  scn::NotifySceneChanged(0);
}

void FaceCaptureObject::CopyIntoDocumentFolder(scn::SceneNode* node, scn::Document* doc) {
  const scn::Filename docPath = doc ? scn::GetDocumentPath(doc) : scn::Filename();
  if (docPath.IsEmpty()) {
    scn::ShowNotice(scn::LoadResourceString(kUnsavedText));
    return;
  }
  const scn::Filename file = scn::GetNodeContainer(node)->GetFilename(kFaceFile);
  if (file.IsEmpty()) return;
  const scn::Filename source = file.GetDirectory();
  // The copy goes into a folder of the capture folder's name beside the document.
  if (!IsSafeCaptureName(source.GetFile().GetString())) {
    scn::DiagnosticOutput("copy into the document folder: \"" + PrintableName(source.GetFile().GetString()) +
                          "\" is no capture folder name");
    scn::ShowNotice(scn::LoadResourceString(kNoFolderText));
    return;
  }
  const scn::Filename base = docPath + scn::Filename(kDocumentCaptureFolder);
  if (!EnsureFolder(base)) {
    scn::ShowNotice(scn::LoadResourceString(kNoCaptureFolderText));
    return;
  }
  const scn::Filename dest = base + source.GetFile();
  if (!EnsureFolder(dest)) {
    scn::ShowNotice(scn::LoadResourceString(kNoFolderText));
    return;
  }
  std::vector<scn::Filename> names;
  try {
    names = FilesToCopy(source);
  } catch (const std::bad_alloc&) {
    scn::ReportOutOfMemory(__FILE__, __LINE__);
    return;
  }
  scn::SetStatusText(scn::LoadResourceString(kCopyingText));
  std::size_t failed = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    scn::SetStatusProgress(static_cast<scn::Int32>(static_cast<scn::Float64>(i) / names.size() * 100.0));
    if (scn::CopyFile(source + names[i], dest + names[i])) continue;
    scn::DiagnosticOutput("could not copy " + (source + names[i]).GetString());
    ++failed;
  }
  scn::ClearStatus();
  // A copy that silently lacks files would fail the day the original folder is gone.
  if (failed) scn::ShowNotice(scn::LoadResourceString(kCopyFailedText));
  scn::NotifySceneChanged(0);
}
