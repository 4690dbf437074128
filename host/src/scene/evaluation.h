// Evaluation of a document on the main thread: tracks, every generator object, then the tags by priority.
#pragma once

#include "scn/handles.h"

namespace host {

class Host;
class SceneService;

// In this order:
//  1. every track of the document's objects and their tags writes its value at the document time;
//  2. walking the objects depth-first, EvaluateGenerator of each plug-in object whose registration carries
//     kObjectGenerator (a returned node is freed: the host builds no cache);
//  3. the tags, lowest priority first (equal priorities in hierarchy and tag order): in the same walk every
//     plug-in tag's AddToPriorityList gives its entries, and every node-graph tag one at
//     kTagPriorityNodeGraph; each entry runs ExecuteTag, or the graph.
// So a node graph sees what generators wrote this evaluation, and plug-in tags of a higher priority see
// what the graphs wrote. Objects and tags that plug-in code frees or moves during the walk are skipped.
void EvaluateDocument(Host& host, SceneService& scene, scn::Document& doc);

}  // namespace host
