#pragma once

#include <string>

#include "sdk/win/VexaWindowTypes.h"

// An SVG picture of what a window and everything on it last painted: the window, its
// children, and the visible pop-ups it (or one of its children) owns, such as the open list
// of a combo box. Positions are in pixels from the window's top-left corner; the picture
// grows to take in pop-ups that reach beyond the window. Empty when there is no such window.
std::string vexaWindowSvg(HWND window);
