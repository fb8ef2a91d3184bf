#include "WbModulePath.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* KDefaultModuleName = "NUV.ViewParts.TBX.so";

// dlopen searches the library path for a bare file name; a module named on the command line or
// in a file is meant where it stands.
std::string AsFilePath(const fs::path& path) {
  const std::string text = path.string();
  return text.find('/') == std::string::npos ? "./" + text : text;
}

}  // namespace

std::string DefaultModulePath() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  return AsFilePath(error ? fs::path(KDefaultModuleName) : executable.parent_path() / KDefaultModuleName);
}

std::string ChooseModulePath(const std::string& option, const std::string& attribute, const std::string& appFile) {
  if (!option.empty()) return AsFilePath(option);
  if (attribute.empty()) return DefaultModulePath();
  const fs::path module(attribute);
  return AsFilePath(module.is_absolute() ? module : fs::path(appFile).parent_path() / module);
}
