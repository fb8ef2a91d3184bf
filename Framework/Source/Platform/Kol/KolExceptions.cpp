// The exception classes and the assertion report.
#include <fmt/printf.h>

#include "KolExceptions.h"

namespace {

// "Framework/Source/Unit.cpp" -> "Framework\Source\Unit": the unit's path as reports show it.
// A build that compiles by relative paths (as a compiler cache may) gives "../../Framework/...":
// the leading "./" and "../" say where the build ran, not where the unit is.
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

EAssertionFailed::EAssertionFailed(std::string sourcePath, int line, const std::string& detail)
    : Exception(fmt::sprintf("Assertion failure (%s, line %d): %s", sourcePath, line, detail)),
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

void AssertionFailed(const char* file, int line, const std::string& detail) {
  throw EAssertionFailed(UnitSourcePath(file), line, detail);
}
