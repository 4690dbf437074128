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

// Every evaluation first asks each tag's AddToPriorityList, then runs ExecuteTag once for each priority the
// tag added itself at (scn::AddToPriorityList), lowest priority first, after all generators.
class TagData : public NodeData {
 public:
  virtual Int32 ExecuteTag(SceneNode* tag, Document* doc, SceneNode* object, Int32 priority);
  // Adding nothing runs the tag once at kTagPriorityDefault.
  virtual Bool AddToPriorityList(SceneNode* tag);
};

struct ColorSample {
  Float64 u = 0, v = 0;  // texture coordinate of the shading point
};

// What a render tells the shaders before it starts.
struct RenderInfo {
  Bool colorManagement = false;  // the render converts texture colours
  Bool linearWorkflow = false;   // the textures are linear already
};

class ShaderData : public NodeData {
 public:
  // 0 to render; an error code stops the render with it.
  virtual Int32 PrepareRender(SceneNode* shader, const RenderInfo& info);
  virtual void FinishRender(SceneNode* shader);
  // Render threads, between PrepareRender and FinishRender.
  virtual Vector SampleColor(SceneNode* shader, const ColorSample& sample);
  // The viewport's picture of the shader into out; false when the shader has none.
  virtual Bool ProvideBitmap(SceneNode* shader, Bitmap* out);
};

class PrefsPageData : public NodeData {
 public:
  virtual Bool InitPageValues(Int32 id, Description* desc);
};

}  // namespace scn
