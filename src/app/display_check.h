#pragma once

#include <string>
#include <vector>

// Whether the window system that Qt would pick can be reached, tried before
// the application object exists: Qt ends the program with abort() when no
// platform plugin can start. The platforms are chosen as Qt chooses them: a
// "-platform" argument, else QT_QPA_PLATFORM, else the session type, each a
// list separated by ";". An X11 or Wayland platform counts when its display
// can be opened; any other (offscreen, minimal, vnc...) needs no display.
bool CanOpenDisplay(const std::vector<std::string>& arguments);
