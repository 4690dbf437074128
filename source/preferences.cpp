#include "preferences.h"

bool RegisterARPreferences() { return true; }
