// Something the run goes on without: a setting that nothing reads, a refused image file.
#pragma once

#include <optional>
#include <string>

struct TWbWarning {
  std::string File;  // the application file
  int Line = 0;      // 0: not known
  std::optional<std::string> ViewPart;
  std::optional<std::string> Name;        // the setting that is not read
  std::optional<std::string> Suggestion;  // the closest name that is read
  std::string Message;

  // "file:line", or the file alone.
  std::string Place() const { return Line > 0 ? File + ":" + std::to_string(Line) : File; }
};
