// Which plug-in module the runner loads.
#pragma once

#include <string>

// NUV.ViewParts.TBX.so in the directory of the running executable.
std::string DefaultModulePath();
// The --module option when given, else the application file's Module attribute (relative to the
// file's directory), else the default.
std::string ChooseModulePath(const std::string& option, const std::string& attribute, const std::string& appFile);
