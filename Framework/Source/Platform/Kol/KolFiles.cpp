// Reading whole regular files without an open that can block.
#include "KolFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Closes the descriptor however the read ends.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int fd) : FFd(fd) {}
  ~TFileDescriptor() {
    if (FFd >= 0) close(FFd);
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return FFd; }

 private:
  int FFd;
};

}  // namespace

TKolFileText ReadRegularFile(const std::string& path, std::size_t maxSize) {
  // O_NONBLOCK: opening a FIFO for reading waits for a writer, and a device may wait too.
  const TFileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) return {std::nullopt, errno == EISDIR ? "it is a directory" : ""};
  struct stat status {};
  if (fstat(file.Get(), &status) != 0) return {};
  if (S_ISDIR(status.st_mode)) return {std::nullopt, "it is a directory"};
  if (!S_ISREG(status.st_mode)) return {std::nullopt, "it is not a regular file"};
  const std::string tooLarge = "it is larger than " + std::to_string(maxSize) + " bytes";
  if (static_cast<std::size_t>(status.st_size) > maxSize) return {std::nullopt, tooLarge};
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(file.Get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return {};
    }
    // A file that grows while it is read is held to the same cap.
    if (text.size() + static_cast<std::size_t>(got) > maxSize) return {std::nullopt, tooLarge};
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return {std::move(text), {}};
}
