// What nodes of the host's own types carry beyond parameters: the defaults a sound object starts with, a
// node-graph tag's master, a pose morph tag's poses, a graph node's state; and the copy of it into a clone.
#pragma once

#include "scn/handles.h"

namespace host {

class NodeFactory;

void InitHostNode(scn::SceneNode& node);
// Tracks, poses, a graph node's position, link and ports, and a node-graph tag's nodes with their
// connections (copy must be a fresh node of the same type). False when a graph node cannot be made.
bool CopyHostState(const scn::SceneNode& source, scn::SceneNode& copy, NodeFactory& factory);

}  // namespace host
