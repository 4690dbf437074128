// Parameters as the host's attribute manager runs them: through the plug-in's hooks, then the node's
// container.
#pragma once

#include "scn/container.h"
#include "scn/handles.h"

namespace host {

// WriteParameterHook first (plug-in nodes); unless it set kParamSet the container takes the value; then
// the node is marked dirty. False when the hook refused: nothing is stored.
bool SetParameter(scn::SceneNode& node, scn::Int32 id, const scn::Value& value);
// ReadParameterHook first (plug-in nodes); unless it set kParamSet the container's value. False when the
// hook refused or neither has a value; value is then empty.
bool GetParameter(scn::SceneNode& node, scn::Int32 id, scn::Value& value);
// The plug-in's IsParameterEnabled with an empty description entry; host nodes enable everything.
bool IsParameterEnabled(scn::SceneNode& node, scn::Int32 id);
// Any thread.
void MarkDirty(scn::SceneNode& node, scn::UInt32 mask);

}  // namespace host
