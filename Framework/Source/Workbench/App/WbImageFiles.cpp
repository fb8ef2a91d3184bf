#include "WbImageFiles.h"

#include <algorithm>

#include "KolFiles.h"

namespace fs = std::filesystem;

namespace {

// Whether path lies in dir; both canonical.
bool IsInside(const fs::path& path, const fs::path& dir) {
  auto [dirEnd, pathAt] = std::mismatch(dir.begin(), dir.end(), path.begin(), path.end());
  return dirEnd == dir.end();
}

TWbImageFile Refused(std::string why) { return {{}, std::move(why), false}; }

}  // namespace

TWbImageFile ResolveImageFile(const std::string& file, const std::string& baseDir) {
  const fs::path name(file);
  if (file.empty()) return Refused("no file name");
  if (name.is_absolute()) return Refused("an absolute path; image files lie in the application file's directory");
  const fs::path relative = name.lexically_normal();
  if (!relative.empty() && *relative.begin() == "..")
    return Refused("it leads out of the application file's directory");
  std::error_code error;
  const fs::path dir = fs::canonical(baseDir.empty() ? fs::path(".") : fs::path(baseDir), error);
  if (error) return {{}, {}, true};
  const fs::path target = fs::canonical(dir / relative, error);
  if (error) return {{}, {}, true};
  if (!IsInside(target, dir)) return Refused("a link to a file outside the application file's directory");
  if (!fs::is_regular_file(target, error)) return Refused("not a regular file");
  if (fs::file_size(target, error) > KWbMaxImageFileSize || error)
    return Refused("larger than " + std::to_string(KWbMaxImageFileSize) + " bytes");
  return {target, {}, false};
}

// Read as a regular file again: one put in its place since (a FIFO) must not make the read wait.
std::optional<std::string> ReadImageFile(const TWbImageFile& image) {
  if (image.Path.empty()) return std::nullopt;
  return ReadRegularFile(image.Path.string(), KWbMaxImageFileSize).Text;
}
