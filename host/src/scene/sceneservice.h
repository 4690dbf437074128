// Scene services: documents, nodes, links, undo, records and evaluation, and the host calls tests and
// kinetra-host drive them with.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "animation/animationindex.h"
#include "scene/links.h"
#include "scene/nodefactory.h"
#include "scene/nodeindex.h"
#include "scene/prioritylist.h"
#include "scene/undo.h"
#include "scn/handles.h"
#include "scn/nodedata.h"
#include "scn/tables.h"
#include "scn/tables_scene.h"

namespace host {

class Host;

class SceneService {
 public:
  explicit SceneService(Host& host);
  // Frees every document (and so every plug-in node), then the nodes and links plug-ins left behind.
  ~SceneService();
  // The same, for a host that unloads its plug-ins while it lives on.
  void FreeAll();
  SceneService(const SceneService&) = delete;
  SceneService& operator=(const SceneService&) = delete;

  // The service the table entries act on; null when there is none.
  static SceneService* Current();
  const scn::SceneTable* Table() const { return &table_; }

  // A new node of a registered plug-in type (allocator, InitNodeData); null when the type is unknown or
  // allocation or initialisation fails. The caller owns it until FreeNode.
  scn::SceneNode* CreatePluginNode(scn::Int32 type, scn::NodeAllocator alloc);
  // Takes the node out of wherever it is inserted, then ReleaseNodeData and the plug-in data is destroyed
  // and freed, with its tags and children; null is ignored.
  void FreeNode(scn::SceneNode* node);

  // Documents, owned by the service; the first one becomes active. Null for a frame rate below 1.
  scn::Document* NewDocument(int fps = 30);
  scn::Document* ActiveDocument() const { return active_; }
  void SetActiveDocument(scn::Document* doc);
  // The next document becomes active when the active one goes.
  void FreeDocument(scn::Document* doc);
  // time = frame / fps
  void SetDocumentFrame(scn::Document* doc, int frame);
  // Refused (diagnostic line) for a denominator below 1.
  void SetDocumentTime(scn::Document* doc, scn::TimeValue time);
  // The folder the document is saved in.
  void SetDocumentPath(scn::Document* doc, std::filesystem::path path);
  bool IsDocument(const scn::Document* doc) const;

  // Main thread; false for an unknown document.
  bool EvaluateDocument(scn::Document* doc);
  // The plug-in's IsParameterEnabled with an empty description entry; true for host nodes.
  bool IsParameterEnabled(scn::SceneNode* node, int id);
  // What the host saw of a node: node messages of a type, SetNodeDirty calls and the last mask,
  // UpdateMaterial calls; 0 for an unknown node.
  int MessageCount(const scn::SceneNode* node, int type) const;
  int DirtyCount(const scn::SceneNode* node) const;
  scn::UInt32 LastDirtyMask(const scn::SceneNode* node) const;
  int MaterialUpdateCount(const scn::SceneNode* node) const;
  // NotifySceneChanged calls.
  int NotifyCount() const { return notifyCount_; }
  // Finished undo steps, oldest first.
  std::vector<UndoStep> UndoSteps(const scn::Document* doc) const;
  // Undoes the last finished step: each change entry, last first, gives its node back the tracks it had
  // when it was recorded (nodes gone since are skipped). False while a step is open or when none is left.
  bool Undo(scn::Document* doc);
  // Scene files (scene/scenefile.h), for tools that write resource scenes; diagnostics say what failed.
  bool SaveSceneFile(const std::filesystem::path& file, const std::vector<const scn::SceneNode*>& objects);
  // A new object owned by the caller, or null.
  scn::SceneNode* LoadSceneObject(const std::filesystem::path& file, const std::string& name);
  // The first object of that name, depth-first; null when none.
  scn::SceneNode* FindObject(scn::Document* doc, const std::string& name);
  // Each object followed by the objects below it.
  std::vector<scn::SceneNode*> Objects(scn::Document* doc);
  // A render of a shader at these texture coordinates: PrepareRender, one SampleColor each, FinishRender.
  // Empty, with PrepareRender's answer in code, when the shader refuses to render.
  std::vector<scn::Vector> RenderShader(scn::SceneNode* shader, const scn::RenderInfo& info,
                                        const std::vector<scn::ColorSample>& at, scn::Int32* code = nullptr);
  // The picture a shader hands the viewport; null when it hands none. The caller frees it.
  scn::Bitmap* ViewportBitmap(scn::SceneNode* shader);
  // Wavefront OBJ text of a polygon object (points through its local matrix when transformed); empty for
  // anything else.
  std::string WriteObj(const scn::SceneNode* polygonObject, bool transformed = false) const;

  // For the table entries and the scene's own parts.
  Host& host() { return host_; }
  NodeIndex& nodes() { return nodes_; }
  const NodeIndex& nodes() const { return nodes_; }
  LinkTable& links() { return links_; }
  AnimationIndex& animation() { return animation_; }
  NodeFactory& factory() { return factory_; }
  // The tag priorities of the evaluation under way; AddToPriorityList fills it.
  PriorityList& priorities() { return priorities_; }
  void CountNotify() { ++notifyCount_; }
  // Releases the node (tags, children, plug-in data) where it is inserted, takes it out and frees it.
  void Free(scn::SceneNode& node);
  // ReleaseNodeData, the plug-in data's destructor and the host's free; called by the node.
  void ReleasePluginData(scn::SceneNode& node);

 private:
  const scn::SceneNode* Known(const scn::SceneNode* node) const;

  Host& host_;
  NodeIndex nodes_;
  LinkTable links_;
  AnimationIndex animation_;
  NodeFactory factory_;
  PriorityList priorities_;
  std::vector<std::unique_ptr<scn::Document>> documents_;
  scn::Document* active_ = nullptr;
  int notifyCount_ = 0;
  scn::SceneTable table_{};
};

}  // namespace host
