// Which image files an application may show: the files of its own directory. An application file
// from elsewhere must not turn the picture or the live page into a reader of any file the runner
// can open (/etc/passwd as a data URI).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The largest image file the runner reads (1 MiB).
constexpr std::uintmax_t KWbMaxImageFileSize = 1024 * 1024;

struct TWbImageFile {
  std::filesystem::path Path;  // the file to read; empty when there is none to read
  std::string Refusal;         // why the file is refused; empty when it is not
  bool Missing = false;        // the file does not exist (no refusal: nothing would be read)
};

// file as an application names it, resolved in baseDir (the application file's directory; "" is
// the current one). Refused: an absolute path, a path that leads out of baseDir (by "..", or by a
// symbolic link whose target lies outside), anything but a regular file, a file larger than
// KWbMaxImageFileSize.
TWbImageFile ResolveImageFile(const std::string& file, const std::string& baseDir);

// The bytes of a file that ResolveImageFile accepted; nullopt when it cannot be read or has grown
// past the cap since.
std::optional<std::string> ReadImageFile(const TWbImageFile& image);
