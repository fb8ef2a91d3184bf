// --render: the window's HTML picture written to a file.
#pragma once

#include <string>

#include "WbApplication.h"

// Writes the page of app's window to htmlFile, with images looked up beside appFile. Raises
// EWbLoadError ("FILE: cannot write the file") when the file cannot be written.
void WriteWindowPicture(const TWbApplication& app, const std::string& appFile, const std::string& htmlFile);
