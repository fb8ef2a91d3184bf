// --layout FILE: where the user left the toolbars and dockable panels and how large the window was,
// kept between runs as a host application keeps it (the library itself keeps no state).
//
// FILE is JSON: {"version": 1, "window": [W, H], "viewParts": {NAME: ENTRY, ...}}, one entry per
// view part whose control is a dockable window (a toolbar or a dockable panel):
//   "dock": the view part name of the dock it lies in, or null while it floats;
//   "row", "pos": its DockRow and DockPos;
//   "floating": [L, T, W, H] in the window's coordinates while it floats, else null;
//   "docked": [DockedWidth, DockedHeight] of a panel, null for a toolbar;
//   "visible": whether it shows.
#pragma once

#include <string>

#include "WbApplication.h"

// The version this runner writes and reads.
constexpr int KWbLayoutVersion = 1;
// A layout file holds a few hundred bytes per view part: a larger one is not read.
constexpr std::size_t KWbMaxLayoutFileSize = 4 * 1024 * 1024;

// The layout of app's window as it stands.
TWbJson LayoutJson(TWbApplication& app);

// Puts back what FILE holds: the window's size, then each entry in the order the view parts were
// created. An entry whose view part or dock does not exist, or that the settings no longer allow,
// is skipped with a warning; a file that is missing, not a regular file, too large or not a layout
// is one warning and the window stays as configured.
void RestoreLayout(TWbApplication& app, const std::string& file, TWbReporter& reporter);

// Writes the layout to FILE through a temporary file beside it that is renamed over it, so that a
// crash never leaves half a file; a failure is a warning.
void SaveLayout(TWbApplication& app, const std::string& file, TWbReporter& reporter);
