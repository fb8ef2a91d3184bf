// The exception classes and the assertion report.
#include <fmt/printf.h>

#include "KolExceptions.h"

namespace {

// "Framework/Source/Unit.cpp" -> "Framework\Source\Unit": the unit's path as reports show it.
// A compiler cache may hand the compiler the source relative to the build directory
// ("../../tests/Unit.cpp"), past the prefix map that makes it relative to the project: the
// leading steps up are no part of the unit's path.
std::string UnitSourcePath(std::string_view file) {
  while (file.starts_with("../") || file.starts_with("./")) file.remove_prefix(file.find('/') + 1);
  std::string path(file);
  const std::size_t nameStart = path.find_last_of("/\\") + 1;  // 0 when there is no separator
  const std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot > nameStart) path.erase(dot);
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string ConfigurationMessage(const std::string& where, const std::string& found, const std::string& expected) {
  std::string message = fmt::sprintf("'%s' is not valid; expected %s", found, expected);
  return where.empty() ? message : where + ": " + message;
}

}  // namespace

Exception::~Exception() = default;

EAssertionFailed::EAssertionFailed(std::string sourcePath, int line)
    : Exception(fmt::sprintf("Assertion failure (%s, line %d)", sourcePath, line)),
      FSourcePath(std::move(sourcePath)),
      FLine(line) {}

EAssertionFailed::~EAssertionFailed() = default;

EConfigurationError::EConfigurationError(std::string where, std::string found, std::string expected)
    : Exception(ConfigurationMessage(where, found, expected)),
      FWhere(std::move(where)),
      FFound(std::move(found)),
      FExpected(std::move(expected)) {}

EConfigurationError::~EConfigurationError() = default;

void AssertionFailed(const char* file, int line) { throw EAssertionFailed(UnitSourcePath(file), line); }
