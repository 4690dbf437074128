// Evaluation of a document on the main thread: every generator object, then every plug-in tag by priority.
#pragma once

#include "scn/handles.h"

namespace host {

class Host;
class SceneService;

// Walks the document's objects depth-first and calls EvaluateGenerator of each plug-in object whose
// registration carries kObjectGenerator (a returned node is freed: the host builds no cache). Then, in the
// same order, it asks every plug-in tag's AddToPriorityList, and runs ExecuteTag for each entry, lowest
// priority first (equal priorities in that order). Objects and tags that plug-in code frees or moves during
// the walk are skipped.
void EvaluateDocument(Host& host, SceneService& scene, scn::Document& doc);

}  // namespace host
