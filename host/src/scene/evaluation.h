// Evaluation of a document on the main thread: every generator object, then every plug-in tag.
#pragma once

#include "scn/handles.h"

namespace host {

class Host;
class SceneService;

// Walks the document's objects depth-first and calls EvaluateGenerator of each plug-in object whose
// registration carries kObjectGenerator (a returned node is freed: the host builds no cache), then, in the
// same order, ExecuteTag of every plug-in tag. Objects that plug-in code frees or moves to another document
// during the walk are skipped.
void EvaluateDocument(Host& host, SceneService& scene, scn::Document& doc);

}  // namespace host
