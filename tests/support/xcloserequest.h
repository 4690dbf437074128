// Asks an X window to close, as a window manager's close button does (WM_DELETE_WINDOW).
#pragma once

#include <string>

// False when the display cannot be opened.
bool SendCloseRequest(const std::string& display, unsigned long window);
