// The help command and its dialog.
#pragma once

bool RegisterShowHelpCommand();
