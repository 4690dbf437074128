// The plug-in's start, end and host messages.
#pragma once

#include "scn/types.h"

bool PluginStart();
void PluginEnd();
bool PluginMessage(scn::Int32 id, void* data);
