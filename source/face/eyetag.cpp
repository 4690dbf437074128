#include "face/eyetag.h"

#include "face/facecapture.h"
#include "helpdialog.h"
#include "scn/api.h"
#include "scn/bitmap.h"
#include "scn/scene.h"

namespace {

// Kept with the tag's priority entry.
constexpr scn::Int32 kEyeTagPriorityFlags = 4;

// The face capture parameters one eye is read from.
struct EyeSide {
  bool left;
  scn::Int32 lookDown, lookUp, lookIn, lookOut;
  scn::Int32 eyeMatrix;
};

constexpr EyeSide kLeftEye{.left = true,
                           .lookDown = kEyeLookDownLeft,
                           .lookUp = kEyeLookUpLeft,
                           .lookIn = kEyeLookInLeft,
                           .lookOut = kEyeLookOutLeft,
                           .eyeMatrix = kFaceLeftEyeMatrix};
constexpr EyeSide kRightEye{.left = false,
                            .lookDown = kEyeLookDownRight,
                            .lookUp = kEyeLookUpRight,
                            .lookIn = kEyeLookInRight,
                            .lookOut = kEyeLookOutRight,
                            .eyeMatrix = kFaceRightEyeMatrix};

const EyeSide* SideOf(scn::Int32 side) {
  if (side == 0) return &kLeftEye;
  if (side == 1) return &kRightEye;
  return nullptr;
}

// Parameter reads through the host, with the node's hooks; false when the node has no such value.
bool Read(scn::SceneNode* node, scn::Int32 id, scn::Value* value) {
  return scn::GetParameter(node, id, value);
}

scn::Int32 ReadInt32(scn::SceneNode* node, scn::Int32 id) {
  scn::Value v;
  if (!Read(node, id, &v)) return 0;
  if (auto p = std::get_if<scn::Int32>(&v)) return *p;
  if (auto p = std::get_if<scn::Bool>(&v)) return *p ? 1 : 0;
  return 0;
}

bool ReadBool(scn::SceneNode* node, scn::Int32 id) {
  return ReadInt32(node, id) != 0;
}

scn::Float64 ReadFloat(scn::SceneNode* node, scn::Int32 id) {
  scn::Value v;
  if (!Read(node, id, &v)) return 0.0;
  if (auto p = std::get_if<scn::Float64>(&v)) return *p;
  if (auto p = std::get_if<scn::Int32>(&v)) return *p;
  return 0.0;
}

const scn::Matrix* MatrixOf(const scn::Value& v) {
  return std::get_if<scn::Matrix>(&v);
}

// Only a face capture object: any other node's data is no FaceCaptureObject.
scn::SceneNode* LinkedFace(scn::SceneNode* tag, const scn::Document* doc) {
  scn::Value v;
  if (!Read(tag, kEyeTagLink, &v)) return nullptr;
  const auto* link = std::get_if<scn::NodeLinkValue>(&v);
  if (!link || link->nodeId == 0) return nullptr;
  scn::SceneNode* face = scn::ResolveLinkValue(doc, link->nodeId, kFaceCaptureObjectId);
  return GetFaceCaptureObject(face) ? face : nullptr;
}

// Eye matrices exist from version 2 on; without a frame the capture counts as version 1.
scn::Int32 RecordVersion(scn::SceneNode* face) {
  const FaceCaptureObject* capture = GetFaceCaptureObject(face);
  const FaceFrame* first = capture ? capture->GetFrame(0) : nullptr;
  return first ? first->version : 1;
}

scn::Matrix EyeMatrix(scn::SceneNode* face, const EyeSide& side, const scn::Matrix& object) {
  scn::Matrix m = FaceCaptureObject::EyeRotationFromWeights(
      ReadFloat(face, side.lookDown), ReadFloat(face, side.lookUp), ReadFloat(face, side.lookIn),
      ReadFloat(face, side.lookOut), side.left, false);
  m.off = object.off;
  return m;
}

}  // namespace

scn::NodeData* TUEyeTag::Alloc() {
  return scn::NewObjClear<TUEyeTag>("eyetag", __LINE__);
}

scn::Bool TUEyeTag::InitNodeData(scn::SceneNode* node) {
  scn::Container* bc = scn::GetNodeContainer(node);
  bc->SetInt32(kEyeTagSide, 0);
  bc->SetBool(kEyeTagUseMatrix, false);
  return true;
}

scn::Bool TUEyeTag::OnNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) {
  if (type == scn::kMsgButton && data && *static_cast<const scn::Int32*>(data) == kEyeTagHelp)
    ShowHelp("1004");
  return scn::TagData::OnNodeMessage(node, type, data);
}

scn::Bool TUEyeTag::IsParameterEnabled(scn::SceneNode* node, scn::Int32 id, const scn::Container&) {
  if (id != kEyeTagUseMatrix) return true;
  const scn::Document* doc = scn::GetNodeDocument(node);
  if (!doc) return true;
  return RecordVersion(LinkedFace(node, doc)) >= 2;
}

scn::Int32 TUEyeTag::ExecuteTag(scn::SceneNode* tag, scn::Document* doc, scn::SceneNode* object,
                                scn::Int32 priority) {
  if (!doc || !object || priority != kEyeTagPriority) return 0;
  const scn::Int32 sideValue = ReadInt32(tag, kEyeTagSide);
  const bool useMatrix = ReadBool(tag, kEyeTagUseMatrix);
  scn::SceneNode* face = LinkedFace(tag, doc);
  if (!face) return 0;
  const scn::Int32 version = RecordVersion(face);
  const EyeSide* side = SideOf(sideValue);
  if (!side) return 0;
  scn::Matrix m = EyeMatrix(face, *side, scn::GetLocalMatrix(object));
  if (useMatrix && version >= 2) {
    // Until the capture has written an eye matrix, the weights keep turning the eye.
    scn::Value captured;
    if (Read(face, side->eyeMatrix, &captured) && MatrixOf(captured)) m = *MatrixOf(captured);
  }
  scn::SetLocalMatrix(object, m);
  scn::SendNodeMessage(object, scn::kMsgUpdate, nullptr);
  return 0;
}

scn::Bool TUEyeTag::AddToPriorityList(scn::SceneNode* tag) {
  scn::AddToPriorityList(tag, kEyeTagPriority, kEyeTagPriorityFlags);
  return true;
}

bool RegisterEyeTag() {
  scn::Bitmap* icon = scn::LoadIconBitmap("eyetag.tif");
  const bool ok =
      scn::RegisterTagType(kEyeTagId, scn::LoadResourceString(11026), 9, TUEyeTag::Alloc, "teye", icon, 0);
  scn::FreeBitmap(icon);
  return ok;
}
