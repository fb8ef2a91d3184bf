// Runs the built nuv-workbench as a separate process, the way users and scripts do.
#pragma once

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

struct TWorkbenchRun {
  int Status = -1;  // the exit status; 128 + the signal when it was killed
  std::string Out, Err;

  std::vector<std::string> ErrLines() const;
  // Each stdout line parsed as JSON (JSON Lines), without the cause that the events of a script
  // line carry: the tests of WorkbenchCauses look at it.
  std::vector<nlohmann::json> Events() const;
};

// Runs the workbench in the test data directory (tests/workbench/data) with args, feeding input
// to its standard input.
TWorkbenchRun RunWorkbench(const std::vector<std::string>& args, const std::string& input = "");

// The test data directory.
std::string WorkbenchDataDir();

// A whole file's bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
