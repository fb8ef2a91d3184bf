#include "WbModulePath.h"

#include <filesystem>

namespace fs = std::filesystem;

// Where the plug-in directory lies from the runner's own directory in an installed tree.
#ifndef NUV_PLUGIN_RELDIR
#define NUV_PLUGIN_RELDIR "../lib/nuv/plugins"
#endif

namespace {

constexpr const char* KDefaultModuleName = "NUV.ViewParts.TBX.so";

// dlopen searches the library path for a bare file name; a module named on the command line or
// in a file is meant where it stands.
std::string AsFilePath(const fs::path& path) {
  const std::string text = path.string();
  return text.find('/') == std::string::npos ? "./" + text : text;
}

}  // namespace

// Beside the runner in a build tree; in the plug-in directory of an installed tree.
std::string DefaultModulePath() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error) return AsFilePath(KDefaultModuleName);
  const fs::path beside = executable.parent_path() / KDefaultModuleName;
  const fs::path installed = executable.parent_path() / NUV_PLUGIN_RELDIR / KDefaultModuleName;
  if (!fs::exists(beside, error) && fs::exists(installed, error)) return AsFilePath(installed.lexically_normal());
  return AsFilePath(beside);
}

std::string ChooseModulePath(const std::string& option, const std::string& attribute, const std::string& appFile) {
  if (!option.empty()) return AsFilePath(option);
  if (attribute.empty()) return DefaultModulePath();
  const fs::path module(attribute);
  return AsFilePath(module.is_absolute() ? module : fs::path(appFile).parent_path() / module);
}
