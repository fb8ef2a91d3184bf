// Scripts: one command per line; '#' starts a comment; arguments are separated by blanks and may
// be double-quoted. The commands are the rows of one table, in WbScriptCommandTable.cpp.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "WbApplication.h"
#include "WbCauses.h"
#include "WbEvents.h"

struct TWbScriptContext {
  TWbApplication& App;
  TWbReporter& Out;
  bool QuitRequested = false;
  // When set, RunScript names each line ("run.script:3") as the cause of the events it causes.
  TWbCauseReporter* Causes = nullptr;
};

using TWbScriptArgs = std::vector<std::string>;

struct TWbScriptCommand {
  std::vector<std::string> Params;  // the argument names, for messages
  std::function<void(TWbScriptContext&, const TWbScriptArgs&)> Run;
};

struct TWbScriptCommandRow {
  std::string Name;
  TWbScriptCommand Command;
};

// Every script command, in WbScriptCommandTable.cpp; each name once.
const std::vector<TWbScriptCommandRow>& ScriptCommandTable();
// The command of that name in the table; nullptr when there is none.
const TWbScriptCommand* FindScriptCommand(const std::string& name);

// "name ARG...": how the command is written.
std::string ScriptCommandUsage(const std::string& name, const TWbScriptCommand& command);

// An argument that counts from 0, such as an index or a size. Raises EWbScriptError naming what
// it is for: "panel index 'x' is not a number from 0".
int ScriptCountArg(const std::string& text, const std::string& what);
// A whole number that may be negative, such as a position: "x 'left' is not a whole number".
int ScriptIntArg(const std::string& text, const std::string& what);

// The words of one line; a comment ends it. Within double quotes blanks and '#' are kept, and
// \" and \\ stand for " and \. Raises EWbScriptError for a quote left open.
std::vector<std::string> SplitScriptLine(std::string_view line);

// Carries out one line. Raises what the command raises: EWbScriptError for an unknown command or
// wrong arguments, without reporting it.
void RunScriptLine(TWbScriptContext& context, std::string_view line);

// The view part that the line acts on: its first argument WS or VP, when a declaration has that
// name. What an error of the line concerns.
std::optional<std::string> ScriptLineViewPart(const TWbApplication& app, std::string_view line);

// Runs the lines in order until the end or `quit`. An error is reported as an `error` event and
// the script goes on; the runner's own errors name the script line.
void RunScript(TWbScriptContext& context, const std::string& text, const std::string& sourceName);
