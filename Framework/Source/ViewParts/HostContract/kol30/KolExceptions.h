/// @file
/// KOL30 errors: the exception classes, assertions that name their source place, and the scope
/// guard that closes brackets on every path.
#pragma once
#pragma GCC visibility push(default)

#include <exception>
#include <string>
#include <typeinfo>
#include <utility>

#include "KolInterfaces.h"

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  ~Exception() override;
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  std::string ClassName() const { return ClassNameOf(typeid(*this)); }

 private:
  std::string FMessage;
};

/// A programming error of the caller: "Assertion failure (path\Unit, line N)", followed by
/// ": detail" when the failing check says what it looked for.
class EAssertionFailed : public Exception {
 public:
  EAssertionFailed(std::string sourcePath, int line);
  EAssertionFailed(std::string sourcePath, int line, const std::string& detail);
  ~EAssertionFailed() override;
  const std::string& SourcePath() const noexcept { return FSourcePath; }
  int Line() const noexcept { return FLine; }

 private:
  std::string FSourcePath;
  int FLine;
};

/// A configuration value that cannot be used. Where names the element or attribute (with its place
/// in the document when known), Found the text, Expected what is accepted.
class EConfigurationError : public Exception {
 public:
  EConfigurationError(std::string where, std::string found, std::string expected);
  ~EConfigurationError() override;
  const std::string& Where() const noexcept { return FWhere; }
  const std::string& Found() const noexcept { return FFound; }
  const std::string& Expected() const noexcept { return FExpected; }

 private:
  std::string FWhere, FFound, FExpected;
};

/// Raises EAssertionFailed. file is a source path as __FILE__ gives it; the report shows it relative
/// to the project with backslashes and without its extension, as the unit's source path.
[[noreturn]] void AssertionFailed(const char* file, int line);
/// The same with a detail after the place: what the check looked for and did not find.
[[noreturn]] void AssertionFailed(const char* file, int line, const std::string& detail);
#define NUV_ASSERT(cond) ((cond) ? static_cast<void>(0) : ::AssertionFailed(__FILE__, __LINE__))
/// A place in the source. As a default argument it is the caller's place, so an assertion made in
/// shared code names the unit that called it. (std::source_location is not there on every
/// compiler the project builds with; the builtins are.)
struct TSourcePlace {
  const char* File;
  int Line;
  static constexpr TSourcePlace Current(const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    return {file, line};
  }
};
/// Fails with the caller's place when condition is false.
inline void AssertAt(bool condition, TSourcePlace where = TSourcePlace::Current()) {
  if (!condition) AssertionFailed(where.File, where.Line);
}

/// Runs an action when the scope ends, however it ends: closes update brackets and resets
/// re-entrancy flags on every path. An error the action raises reaches the caller when the scope
/// ends normally; while another error is already on its way, that first error is the one the
/// caller hears of and the action's own is dropped.
template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F action) : FAction(std::move(action)) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  ~TScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == FUncaught) {
      FAction();
      return;
    }
    try {
      FAction();
    } catch (...) {  // NOLINT(bugprone-empty-catch): the error already on its way wins
    }
  }

 private:
  F FAction;
  int FUncaught = std::uncaught_exceptions();
};

#pragma GCC visibility pop
