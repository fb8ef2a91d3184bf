#include "WbScript.h"

#include <charconv>
#include <optional>
#include <sstream>

#include "WbErrors.h"

std::string ScriptCommandUsage(const std::string& name, const TWbScriptCommand& command) {
  std::string usage = name;
  for (const auto& param : command.Params) usage += " " + param;
  return usage;
}

void RunScriptLine(TWbScriptContext& context, std::string_view line) {
  const auto words = SplitScriptLine(line);
  if (words.empty()) return;
  const TWbScriptCommand* command = FindScriptCommand(words[0]);
  if (!command) throw EWbScriptError("unknown command '" + words[0] + "'");
  const TWbScriptArgs args(words.begin() + 1, words.end());
  if (args.size() != command->Params.size())
    throw EWbScriptError("'" + words[0] + "' takes " + std::to_string(command->Params.size()) +
                         " argument(s): " + ScriptCommandUsage(words[0], *command));
  command->Run(context, args);
}

const TWbScriptCommand* FindScriptCommand(const std::string& name) {
  for (const auto& row : ScriptCommandTable())
    if (row.Name == name) return &row.Command;
  return nullptr;
}

int ScriptCountArg(const std::string& text, const std::string& what) {
  int value = -1;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0)
    throw EWbScriptError(what + " '" + text + "' is not a number from 0");
  return value;
}

int ScriptIntArg(const std::string& text, const std::string& what) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw EWbScriptError(what + " '" + text + "' is not a whole number");
  return value;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The quoted word that starts at line[i]; i ends past its closing quote.
std::string ReadQuotedWord(std::string_view line, size_t& i) {
  std::string word;
  for (++i; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) ++i;
    word += line[i];
  }
  if (i == line.size()) throw EWbScriptError("a quoted argument is not closed");
  ++i;
  return word;
}

std::string ReadPlainWord(std::string_view line, size_t& i) {
  const size_t start = i;
  while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') ++i;
  return std::string(line.substr(start, i - start));
}

}  // namespace

std::vector<std::string> SplitScriptLine(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') return words;
    words.push_back(line[i] == '"' ? ReadQuotedWord(line, i) : ReadPlainWord(line, i));
  }
}

std::optional<std::string> ScriptLineViewPart(const TWbApplication& app, std::string_view line) {
  std::vector<std::string> words;
  try {
    words = SplitScriptLine(line);
  } catch (const EWbScriptError&) {
    return std::nullopt;
  }
  const TWbScriptCommand* command = words.empty() ? nullptr : FindScriptCommand(words[0]);
  if (!command) return std::nullopt;
  for (size_t i = 0; i < command->Params.size() && i + 1 < words.size(); ++i)
    if (command->Params[i] == "VP" || command->Params[i] == "WS")
      return app.IsDeclaredViewPart(words[i + 1]) ? std::optional(words[i + 1]) : std::nullopt;
  return std::nullopt;
}

void RunScript(TWbScriptContext& context, const std::string& text, const std::string& sourceName) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; !context.QuitRequested && std::getline(lines, line); ++number) {
    const TWbCauseReporter::TScope cause(context.Causes, sourceName + ":" + std::to_string(number));
    TWbError error;
    try {
      RunScriptLine(context, line);
      continue;
    } catch (const EWbLoadError&) {
      throw;  // with --strict, what a work item's first run raised ends the run
    } catch (const EWbScriptError& e) {
      // Only the runner's own complaints begin with the script line; what view parts and the
      // host raise is passed on as raised. The event places both.
      error = ErrorOf(e);
      error.Message = sourceName + ":" + std::to_string(number) + ": " + error.Message;
    } catch (...) {
      error = CurrentError();
    }
    error.File = sourceName;
    error.Line = number;
    if (!error.ViewPart) error.ViewPart = ScriptLineViewPart(context.App, line);
    context.Out.Error(error);
  }
}
