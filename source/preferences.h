// The plug-in's preference page and the folders derived from it.
#pragma once

#include "scn/filename.h"
#include "scn/nodedata.h"

bool RegisterARPreferences();
