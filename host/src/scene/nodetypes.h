// The host's node types and the values the scene keeps in one place.
#pragma once

#include <optional>

#include "scn/tables_animation.h"

namespace host {

enum class NodeKind { Object, Tag, Material, Shader, PreferencePage, GraphNode };
const char* KindName(NodeKind kind);

struct HostType {
  scn::Int32 type;
  NodeKind kind;
  const char* name;  // the name a new node of the type gets
};

// Host types that plug-ins allocate by number; every other type must be registered.
inline constexpr HostType kHostTypes[] = {
    {scn::kTypePolygonObject, NodeKind::Object, "Polygon"},
    {scn::kTypeCamera, NodeKind::Object, "Camera"},
    {scn::kTypeNull, NodeKind::Object, "Null"},
    {scn::kTypeSound, NodeKind::Object, "Sound"},  // kSoundFile, kSoundStartFrame
    {scn::kTypeMaterial, NodeKind::Material, "Mat"},
    {scn::kTagTexture, NodeKind::Tag, "Texture"},       // material link kTextureTagMaterial, projection 1004
    {scn::kTagUVW, NodeKind::Tag, "UVW"},               // one UVWPolygon per entry
    {scn::kTagPhong, NodeKind::Tag, "Phong"},           // no data of its own
    {scn::kTagNodeGraph, NodeKind::Tag, "Node Graph"},  // a node master
    {scn::kTagPoseMorph, NodeKind::Tag, "Pose Morph"},  // base points, poses, strengths
    {scn::kGraphNodeObject, NodeKind::GraphNode, "Object"},  // a linked node's parameters as ports
    {scn::kGraphNodeRangeMapper, NodeKind::GraphNode, "Range Mapper"},
};

// The host type of that number, or nullopt for plug-in and unknown types.
std::optional<HostType> FindHostType(scn::Int32 type);

// Registration flag of objects that generate: evaluation calls their EvaluateGenerator.
inline constexpr scn::Int32 kObjectGenerator = 0x4;

// Dirty bits a parameter write marks on its node.
inline constexpr scn::UInt32 kDirtyData = 1;

}  // namespace host
