// --render: the window's HTML picture written to a file.
#pragma once

#include <ostream>
#include <string>

#include "WbApplication.h"

// Writes the page of app's window to out as it is drawn, each control's node made from the
// toolkit when the page reaches it and dropped after: the page holds one branch of the window at
// a time, neither the whole dump nor the whole page. Images are looked up in baseDir.
void WriteWindowPage(std::ostream& out, const TWbApplication& app, const std::string& baseDir);

// Writes the page of app's window to htmlFile, with images looked up beside appFile. Raises
// EWbLoadError ("FILE: cannot write the file") when the file cannot be written; a regular file
// is then removed rather than left with half a page.
void WriteWindowPicture(const TWbApplication& app, const std::string& appFile, const std::string& htmlFile);
