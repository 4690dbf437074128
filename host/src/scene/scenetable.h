// The scene table's entries, filled by concern, and the checks every entry makes before it acts: the main
// thread, and live nodes, documents and links. A failed check is reported as misbehaviour of the call and
// the entry answers null, false or 0.
#pragma once

#include <string>

#include "scene/nodetypes.h"
#include "scn/tables_scene.h"

namespace host {

class SceneService;

void FillDocumentEntries(scn::SceneTable& t);  // documents and the object hierarchy
void FillNodeEntries(scn::SceneTable& t);      // allocation, names, parameters, messages, tags, materials
void FillGeometryEntries(scn::SceneTable& t);  // matrices, points, polygons, UVW entries
void FillLinkEntries(scn::SceneTable& t);      // links, object records, undo

namespace entry {

void Misbehaving(const std::string& what);
// The current scene service when called on the main thread, else null (reported).
SceneService* Enter(const char* call);
// A live node (of that kind), or null (reported).
scn::SceneNode* Node(const char* call, const scn::SceneNode* node);
scn::SceneNode* Node(const char* call, const scn::SceneNode* node, NodeKind kind);
// A document of the service, or null (reported).
scn::Document* Doc(const char* call, const scn::Document* doc);
// A link the service handed out, or null (reported).
scn::NodeLink* Link(const char* call, const scn::NodeLink* link);

}  // namespace entry
}  // namespace host
