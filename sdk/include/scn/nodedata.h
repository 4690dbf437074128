// Base classes of node plug-ins. The host calls the virtual slots on its main thread; every slot a
// plug-in does not override keeps the host's default.
#pragma once

#include "scn/container.h"
#include "scn/handles.h"

namespace scn {

class NodeData {
 public:
  virtual ~NodeData() = default;
  virtual Bool InitNodeData(SceneNode* node);
  virtual void ReleaseNodeData(SceneNode* node);
  virtual Bool LoadNodeData(SceneNode* node, RecordFile* rf, Int32 level);
  virtual Bool SaveNodeData(SceneNode* node, RecordFile* rf);
  virtual Bool CopyNodeData(NodeData* dest, SceneNode* srcNode, SceneNode* destNode);
  virtual Bool OnNodeMessage(SceneNode* node, Int32 type, void* data);
  virtual Bool BuildDescription(SceneNode* node, Description* desc, Int32& flags);
  // Set kParamSet in flags when out holds the value; else the host reads its container.
  virtual Bool ReadParameterHook(SceneNode* node, Int32 id, Value& out, Int32& flags);
  // Set kParamSet in flags when the hook stored the value; else the host stores it.
  virtual Bool WriteParameterHook(SceneNode* node, Int32 id, const Value& data, Int32& flags);
  virtual Bool IsParameterEnabled(SceneNode* node, Int32 id, const Container& itemDesc);
};

// Drawing and handles are not used by this host; their slots keep their place.
class ObjectData : public NodeData {
 public:
  virtual Bool DrawObject(SceneNode* node);
  virtual Int32 HitTestHandle(SceneNode* node);
  virtual Bool DragHandle(SceneNode* node);
  // Returns the generated object, or null when the generator builds none.
  virtual SceneNode* EvaluateGenerator(SceneNode* node);
};

class TagData : public NodeData {
 public:
  virtual Int32 ExecuteTag(SceneNode* tag, Document* doc, SceneNode* object);
  virtual Bool AddToPriorityList(SceneNode* tag);
};

struct ColorSample {
  Float64 u = 0, v = 0;
};

class ShaderData : public NodeData {
 public:
  virtual Int32 PrepareRender(SceneNode* shader);
  virtual void FinishRender(SceneNode* shader);
  virtual Vector SampleColor(SceneNode* shader, const ColorSample& sample);
  virtual Bitmap* ProvideBitmap(SceneNode* shader);
};

class PrefsPageData : public NodeData {
 public:
  virtual Bool InitPageValues(Int32 id, Description* desc);
};

}  // namespace scn
