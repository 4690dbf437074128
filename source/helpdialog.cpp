#include "helpdialog.h"

bool RegisterShowHelpCommand() { return true; }
