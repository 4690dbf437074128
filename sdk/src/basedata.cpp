// The host's defaults for every slot a plug-in class does not override.
#include "scn/api.h"
#include "scn/commanddata.h"
#include "scn/dialog.h"
#include "scn/nodedata.h"

namespace scn {

Bool NodeData::InitNodeData(SceneNode*) { return true; }
void NodeData::ReleaseNodeData(SceneNode*) {}
Bool NodeData::LoadNodeData(SceneNode*, RecordFile*, Int32) { return true; }
Bool NodeData::SaveNodeData(SceneNode*, RecordFile*) { return true; }
Bool NodeData::CopyNodeData(NodeData*, SceneNode*, SceneNode*) { return true; }
Bool NodeData::OnNodeMessage(SceneNode*, Int32, void*) { return true; }
Bool NodeData::BuildDescription(SceneNode*, Description*, Int32&) { return true; }
Bool NodeData::ReadParameterHook(SceneNode*, Int32, Value&, Int32&) { return true; }
Bool NodeData::WriteParameterHook(SceneNode*, Int32, const Value&, Int32&) { return true; }
Bool NodeData::IsParameterEnabled(SceneNode*, Int32, const Container&) { return true; }

Bool ObjectData::DrawObject(SceneNode*) { return true; }
Int32 ObjectData::HitTestHandle(SceneNode*) { return -1; }
Bool ObjectData::DragHandle(SceneNode*) { return true; }
SceneNode* ObjectData::EvaluateGenerator(SceneNode*) { return nullptr; }

Int32 TagData::ExecuteTag(SceneNode*, Document*, SceneNode*, Int32) { return 0; }
Bool TagData::AddToPriorityList(SceneNode*) { return true; }

Int32 ShaderData::PrepareRender(SceneNode*, const RenderInfo&) { return 0; }
void ShaderData::FinishRender(SceneNode*) {}
Vector ShaderData::SampleColor(SceneNode*, const ColorSample&) { return {}; }
Bool ShaderData::ProvideBitmap(SceneNode*, Bitmap*) { return false; }

Bool PrefsPageData::InitPageValues(Int32, Description*) { return true; }

Bool CommandData::ExecuteCommand(Document*) { return false; }
Int32 CommandData::QueryCommandState(Document*) { return 1; }
Bool CommandData::RestoreWindow(Document*, Int32, void*) { return false; }

Bool MessageData::HandleMessage(Int32, void*) { return false; }

HostDialog::~HostDialog() {
  // A dialog freed while its window is open would leave the host with a dangling pointer.
  if (window_ && GetHostTables()) GetHostTables()->ui->CloseDialog(this);
}
Bool HostDialog::BuildLayout() { return window_ != nullptr; }
Bool HostDialog::InitContent() { return true; }
Bool HostDialog::OnHostEvent(Int32) { return false; }
Bool HostDialog::OnGadgetCommand(Int32, const Container&) { return true; }
Bool HostDialog::QueryClose() { return false; }
void HostDialog::OnTimerTick(const Container&) {}
void HostDialog::OnWindowDestroyed() {}
Int32 HostDialog::OnDialogMessage(const Container&, Container&) { return 0; }

Bool HostDialog::SetTitle(const String& title) { return window_ && GetHostTables()->ui->SetTitle(window_, title); }
Bool HostDialog::LayoutFlushGroup(Int32 id) {
  return window_ && GetHostTables()->ui->LayoutCommand(window_, kLayoutFlushGroup, id);
}
Bool HostDialog::LayoutChanged(Int32 id) {
  return window_ && GetHostTables()->ui->LayoutCommand(window_, kLayoutChanged, id);
}
Bool HostDialog::GroupBegin(Int32 id, Int32 flags, Int32 columns, Int32 rows, const String& title,
                            Int32 groupFlags) {
  return window_ && GetHostTables()->ui->GroupBegin(window_, id, flags, columns, rows, title, groupFlags);
}
Bool HostDialog::GroupEnd() { return window_ && GetHostTables()->ui->GroupEnd(window_); }
CustomGadget* HostDialog::AddCustomGadget(Int32 libraryId, const String& name, Int32 id, Int32 flags,
                                          Int32 minWidth, Int32 minHeight) {
  if (!window_) return nullptr;
  return GetHostTables()->ui->AddCustomGadget(window_, libraryId, name, id, flags, minWidth, minHeight);
}
Bool HostDialog::Close() { return window_ && GetHostTables()->ui->CloseDialog(this); }


}  // namespace scn
