// The face capture object's buttons that build scene parts: the capture camera, and the test of
// whether the performance already lies in the document's folder.
#include "face/facecapture.h"

namespace {

constexpr char kDocumentCaptureFolder[] = "OrvexCapture";

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
