/// @file
/// KOL30 file reading: the whole of a regular file, opened so that the open never waits.
#pragma once
#pragma GCC visibility push(default)

#include <cstddef>
#include <optional>
#include <string>

/// What reading a file gave: its bytes, or why there are none.
struct TKolFileText {
  std::optional<std::string> Text;
  /// Why the file was not read: "it is a directory", "it is not a regular file", "it is larger
  /// than N bytes", or empty when it cannot be opened or read at all.
  std::string Why;
};

/// The bytes of the regular file at path, at most maxSize of them. The open does not wait for a
/// writer (a FIFO) or for a device: anything but a regular file is refused at once, so that no read
/// of a named file can hold the process, its shutdown included.
TKolFileText ReadRegularFile(const std::string& path, std::size_t maxSize);

#pragma GCC visibility pop
