// Scene table: allocating and freeing nodes, names, parameters, messages, tags, materials and shaders.
#include <exception>

#include "animation/posemorph.h"
#include "core/host.h"
#include "scene/parameters.h"
#include "scene/polygonobject.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

scn::SceneNode* Allocate(const char* call, NodeKind kind, scn::Int32 type) {
  SceneService* s = Enter(call);
  return s ? s->factory().Make(kind, type).release() : nullptr;
}

scn::SceneNode* AllocatePolygonObject(scn::Int32 pointCount, scn::Int32 polygonCount) {
  SceneService* s = Enter("AllocatePolygonObject");
  if (!s) return nullptr;
  if (pointCount < 0 || polygonCount < 0) {
    Misbehaving("AllocatePolygonObject with a negative count");
    return nullptr;
  }
  auto object = s->factory().Make(NodeKind::Object, scn::kTypePolygonObject);
  if (!object) return nullptr;
  if (!ResizePolygonObject(*object, pointCount, polygonCount)) {
    s->host().diagnostics().Output("AllocatePolygonObject: out of memory for " + std::to_string(pointCount) +
                                   " points and " + std::to_string(polygonCount) + " polygons");
    return nullptr;
  }
  return object.release();
}

void FreeSceneNode(scn::SceneNode* node) {
  if (!node) return;
  scn::SceneNode* n = Node("FreeSceneNode", node);
  if (!n) return;
  if (n->freeing) {
    Misbehaving("FreeSceneNode of a node that is being freed");
    return;
  }
  n->service.Free(*n);
}

scn::SceneNode* CloneNode(const scn::SceneNode* node) {
  scn::SceneNode* n = Node("CloneNode", node);
  if (!n) return nullptr;
  if (n->kind == NodeKind::GraphNode) {
    Misbehaving("CloneNode of a graph node: graph nodes are copied with their node-graph tag");
    return nullptr;
  }
  try {
    return n->service.factory().Clone(*n).release();
  } catch (const std::exception&) {
    n->service.host().diagnostics().Output("CloneNode: out of memory");
    return nullptr;
  }
}

scn::Bool SendNodeMessage(scn::SceneNode* node, scn::Int32 type, void* data) {
  scn::SceneNode* n = Node("SendNodeMessage", node);
  if (!n) return false;
  ++n->messages[type];
  // Host nodes take the update message and no other.
  if (!n->nodeData) return type == scn::kMsgUpdate;
  return n->nodeData->OnNodeMessage(n, type, data);
}

// Any thread: off the main thread the node cannot be checked against the index, only for null.
void SetNodeDirty(scn::SceneNode* node, scn::UInt32 mask) {
  Host* h = Host::Current();
  if (!node) {
    Misbehaving("SetNodeDirty with a null node");
    return;
  }
  if (h && h->IsMainThread() && !Node("SetNodeDirty", node)) return;
  MarkDirty(*node, mask);
}

scn::Bool SetParameterEntry(scn::SceneNode* node, scn::Int32 id, const scn::Value& value) {
  scn::SceneNode* n = Node("SetParameter", node);
  return n && SetParameter(*n, id, value);
}

scn::Bool GetParameterEntry(scn::SceneNode* node, scn::Int32 id, scn::Value* value) {
  scn::SceneNode* n = Node("GetParameter", node);
  if (!n) return false;
  if (!value) {
    Misbehaving("GetParameter without a value to fill");
    return false;
  }
  return GetParameter(*n, id, *value);
}

// Type 0 takes the first tag of any type.
scn::SceneNode* GetFirstTag(scn::SceneNode* object, scn::Int32 type) {
  scn::SceneNode* o = Node("GetFirstTag", object, NodeKind::Object);
  if (!o) return nullptr;
  for (scn::SceneNode* t = o->tags.First(); t; t = o->tags.After(*t))
    if (type == 0 || t->type == type) return t;
  return nullptr;
}

// count: the entries of a UVW tag; other types ignore it. A pose morph tag takes the object's points as its
// base.
scn::SceneNode* MakeTag(scn::SceneNode* object, scn::Int32 type, scn::Int32 count) {
  scn::SceneNode* o = Node("MakeTag", object, NodeKind::Object);
  if (!o) return nullptr;
  if (o->freeing || count < 0) {
    Misbehaving("MakeTag on an object being freed or with a negative count");
    return nullptr;
  }
  auto tag = o->service.factory().Make(NodeKind::Tag, type);
  if (!tag) return nullptr;
  if (type == scn::kTagUVW && !ResizeUVW(*tag, count)) {
    o->service.host().diagnostics().Output("MakeTag: out of memory for " + std::to_string(count) +
                                           " UVW entries");
    return nullptr;
  }
  if (tag->poses) tag->poses->base = o->points;
  return o->tags.Append(std::move(tag));
}

scn::Bool AddToPriorityList(scn::SceneNode* tag, scn::Int32 priority, scn::Int32 flags) {
  scn::SceneNode* t = Node("AddToPriorityList", tag, NodeKind::Tag);
  if (!t) return false;
  if (!t->service.priorities().Add(*t, priority, flags)) {
    Misbehaving("AddToPriorityList outside that tag's AddToPriorityList slot");
    return false;
  }
  return true;
}

scn::Bool InsertShader(scn::SceneNode* material, scn::SceneNode* shader) {
  scn::SceneNode* m = Node("InsertShader", material, NodeKind::Material);
  scn::SceneNode* s = m ? Node("InsertShader", shader, NodeKind::Shader) : nullptr;
  if (!s) return false;
  if (s->list || s->freeing || m->freeing) {
    Misbehaving("InsertShader with a shader already inserted, or with a node being freed");
    return false;
  }
  m->shaders.Append(std::unique_ptr<scn::SceneNode>(s));
  return true;
}

}  // namespace

void FillNodeEntries(scn::SceneTable& t) {
  t.AllocateObject = [](scn::Int32 type) { return Allocate("AllocateObject", NodeKind::Object, type); };
  t.AllocatePolygonObject = AllocatePolygonObject;
  t.AllocateMaterial = [](scn::Int32 type) { return Allocate("AllocateMaterial", NodeKind::Material, type); };
  t.AllocateShader = [](scn::Int32 type) { return Allocate("AllocateShader", NodeKind::Shader, type); };
  t.FreeSceneNode = FreeSceneNode;
  t.CloneNode = CloneNode;

  t.GetNodeType = [](const scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetNodeType", node);
    return n ? n->type : 0;
  };
  t.GetNodeId = [](const scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetNodeId", node);
    return n ? n->id : scn::Int64{0};
  };
  t.GetNodeName = [](const scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetNodeName", node);
    return n ? n->name : scn::String();
  };
  t.SetNodeName = [](scn::SceneNode* node, const scn::String& name) {
    if (scn::SceneNode* n = Node("SetNodeName", node)) n->name = name;
  };
  t.GetNodeContainer = [](scn::SceneNode* node) -> scn::Container* {
    scn::SceneNode* n = Node("GetNodeContainer", node);
    return n ? &n->data : nullptr;
  };
  t.GetNodeData = [](scn::SceneNode* node) {
    scn::SceneNode* n = Node("GetNodeData", node);
    return n ? n->nodeData : nullptr;
  };
  t.SendNodeMessage = SendNodeMessage;
  t.SetNodeDirty = SetNodeDirty;
  // Counted only: tests evaluate with SceneService::EvaluateDocument.
  t.NotifySceneChanged = [](scn::Int32) {
    if (SceneService* s = Enter("NotifySceneChanged")) s->CountNotify();
  };
  t.SetParameter = SetParameterEntry;
  t.GetParameter = GetParameterEntry;

  t.GetFirstTag = GetFirstTag;
  t.MakeTag = MakeTag;
  t.GetTagObject = [](const scn::SceneNode* tag) {
    scn::SceneNode* n = Node("GetTagObject", tag, NodeKind::Tag);
    return n ? n->Parent() : nullptr;
  };
  t.AddToPriorityList = AddToPriorityList;

  t.InsertShader = InsertShader;
  t.GetFirstShader = [](const scn::SceneNode* material) {
    scn::SceneNode* m = Node("GetFirstShader", material, NodeKind::Material);
    return m ? m->shaders.First() : nullptr;
  };
  // Counted only: nothing renders here.
  t.UpdateMaterial = [](scn::SceneNode* material, scn::Int32, scn::Int32) {
    if (scn::SceneNode* m = Node("UpdateMaterial", material, NodeKind::Material)) ++m->materialUpdates;
  };
}

}  // namespace host
