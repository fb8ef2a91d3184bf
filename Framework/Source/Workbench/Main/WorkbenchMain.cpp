// nuv-workbench: reads an application file, loads the plug-in module, drives the view parts
// through its factories and prints the window or, with a script, what happens.
#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <filesystem>
#include <iostream>

#include "KolFiles.h"
#include "WbApplication.h"
#include "WbDump.h"
#include "WbFactories.h"
#include "WbInventory.h"
#include "WbLayoutFile.h"
#include "WbModulePath.h"
#include "WbNative.h"
#include "WbPhaseTimes.h"
#include "WbRenderFile.h"
#include "WbScript.h"
#include "TbxTextMetrics.h"
#include "WbScriptCommands.h"
#include "WbServeRun.h"

namespace {

// Exit status for a faulty command line, application file or module, and with --strict for the
// first error or warning that the application file causes.
constexpr int KExitLoadError = 2;
// Exit status of a run that went on although the application file caused errors.
constexpr int KExitFileError = 1;

struct TWbOptions {
  std::string AppFile, Script, Module;
  std::string Render;                 // the HTML picture of the window, written at the end of the run
  std::string Serve;                  // [ADDR:]PORT
  std::string Screenshot;             // the native window as a PNG, drawn offscreen at the end of the run
  std::string Layout;                 // where the toolbars and panels are kept between runs
  bool Window = false;                // open the native window and run until it is closed
  bool CloseAfterFirstFrame = false;  // with --window: close it once its first frame is painted
  bool AllowRemote = false;
  bool Watch = false;  // with --serve: compose the application anew when its file changes
  bool Json = false;
  bool ListKeys = false;  // print the running window's data keys, topics and services, not the tree
  bool Version = false;
  bool Strict = false;         // every error and warning that the application file causes is a load error
  bool Accessibility = false;  // print the accessibility tree instead of the control tree
  std::string Scale;           // device pixels per logical pixel of --window and --screenshot
};

// A script is read whole before anything loads: the cap keeps an endless device (/dev/zero) from
// filling the memory.
constexpr std::size_t KWbMaxScriptSize = 16 * 1024 * 1024;

// A named script is a regular file: a FIFO or a device would make the read wait, or never end.
std::string ReadScript(const std::string& fileName) {
  if (fileName != "-") {
    TKolFileText file = ReadRegularFile(fileName, KWbMaxScriptSize);
    if (!file.Text)
      throw EWbLoadError(fileName + ": cannot read the script" + (file.Why.empty() ? "" : ": " + file.Why));
    return std::move(*file.Text);
  }
  const std::string name = "<stdin>";
  std::istream& in = std::cin;
  std::string text;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    if (text.size() + static_cast<std::size_t>(in.gcount()) > KWbMaxScriptSize)
      throw EWbLoadError(name + ": cannot read the script: it is larger than " + std::to_string(KWbMaxScriptSize) +
                         " bytes");
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) throw EWbLoadError(name + ": cannot read the script");
  return text;
}

// An empty value would read as an option not given.
void CheckNoEmptyValues(CLI::App& cli) {
  for (const char* name : {"--script", "--module", "--render", "--serve", "--screenshot", "--layout", "--scale"}) {
    const CLI::Option* option = cli.get_option(name);
    if (option->count() > 0 && option->as<std::string>().empty())
      throw EWbLoadError(std::string(name) + ": the value is empty");
  }
}

// A picture written over an input would destroy it: the application file, the script or the module.
void CheckOutputsAreNoInputs(const TWbOptions& options) {
  const std::pair<const char*, const std::string&> outputs[] = {
      {"--render", options.Render}, {"--screenshot", options.Screenshot}, {"--layout", options.Layout}};
  const std::pair<const char*, const std::string&> inputs[] = {
      {"the application file", options.AppFile}, {"the script", options.Script}, {"the module", options.Module}};
  for (const auto& [option, output] : outputs)
    for (const auto& [what, input] : inputs) {
      std::error_code error;
      if (!output.empty() && !input.empty() && input != "-" && std::filesystem::equivalent(output, input, error))
        throw EWbLoadError(std::string(option) + " " + output + ": the output file is " + what +
                           "; it would be overwritten");
    }
}

int PrintVersions(const TWbOptions& options) {
  std::cout << "nuv-workbench " << NUV_WORKBENCH_VERSION << std::endl;
  const std::string path = options.Module.empty() ? DefaultModulePath() : ChooseModulePath(options.Module, "", "");
  const TNUVModule module(path);
  const std::string version = module.Version();
  std::cout << std::filesystem::path(path).filename().string() << " "
            << (version.empty() ? "(no version record)" : version) << std::endl;
  return 0;
}

// How a run that loaded ends: 1 when the application file caused errors meanwhile.
int ExitStatus(TWbApplication& app) { return app.Faults().Errors() > 0 ? KExitFileError : 0; }

// --scale F: a factor from 0.5 to 4, for a window or picture drawn by Qt; 0 when not given.
double ScaleOf(const TWbOptions& options) {
  if (options.Scale.empty()) return 0;
  if (!options.Window && options.Screenshot.empty())
    throw EWbLoadError("--scale " + options.Scale +
                       ": the factor is for --window and --screenshot, and neither is given");
  std::size_t used = 0;
  double scale = 0;
  try {
    scale = std::stod(options.Scale, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != options.Scale.size() || !(scale >= 0.5 && scale <= 4))
    throw EWbLoadError("--scale " + options.Scale + ": the factor is a number from 0.5 to 4");
  return scale;
}

// Qt for --screenshot and --accessibility, made before the application so that it outlives the
// window's peers.
std::unique_ptr<TWbNative> OffscreenFor(const TWbOptions& options, TWbReporter& reporter) {
  if (options.Screenshot.empty() && !options.Accessibility) return nullptr;
  return std::make_unique<TWbNative>(true, options.AppFile, reporter, ScaleOf(options));
}

// --layout: what the file keeps is put back right after loading, before anything runs, and kept
// again at the end, while every control still stands.
void RestoreLayoutOption(const TWbOptions& options, TWbApplication& app, TWbReporter& reporter) {
  if (!options.Layout.empty()) RestoreLayout(app, options.Layout, reporter);
}

void SaveLayoutOption(const TWbOptions& options, TWbApplication& app, TWbReporter& reporter) {
  if (!options.Layout.empty()) SaveLayout(app, options.Layout, reporter);
}

// The pictures asked for, before any other output: one that cannot be written leaves stdout empty.
void WritePictures(const TWbOptions& options, TWbApplication& app, TWbNative* native, const std::string& title) {
  if (!options.Render.empty()) WriteWindowPicture(app, options.AppFile, options.Render);
  if (native && !options.Screenshot.empty()) native->Screenshot(app, title, options.Screenshot);
}

// With NUV_WORKBENCH_TIMINGS set, each phase's time, at the end of the run.
void PrintPhaseTimes() {
  if (const std::string timings = WbPhaseTimesText(); !timings.empty())
    std::cerr << "nuv-workbench: " << timings << std::endl;
}

// Output that could not be written (a full disk, a closed pipe) fails the run instead of passing
// for a complete window.
void CheckStandardOutput() {
  std::cout.flush();
  if (!std::cout) throw EWbLoadError("nuv-workbench: cannot write to standard output");
}

// Without a script: load, run every work item, print the window, finalize.
// With NUV_WORKBENCH_TIMINGS set, each phase's time goes to stderr at the end (docs/performance.md).
int ShowWindow(const TWbOptions& options) {
  WbPhaseEnds("start");
  const TWbAppDecl decl = LoadAppFile(options.AppFile, options.Strict);
  WbPhaseEnds("file");
  TWbConsoleReporter reporter(std::cerr);
  const auto native = OffscreenFor(options, reporter);
  WbPhaseEnds("qt");
  TWbApplication app(reporter, options.Strict);
  app.Load(decl, ChooseModulePath(options.Module, decl.Module, options.AppFile));
  RestoreLayoutOption(options, app, reporter);
  app.RunAll();
  WbPhaseEnds("run");
  WritePictures(options, app, native.get(), decl.Name);
  WbPhaseEnds("paint");
  // The window's tree is written as it is made, control by control: a large window is never held
  // whole as a tree or as text.
  if (options.Accessibility)
    std::cout << JsonText(native->AccessibilityTree(app, decl.Name), 2) << std::endl;
  else if (options.ListKeys && options.Json)
    std::cout << JsonText(InventoryJson(app), 2) << std::endl;
  else if (options.ListKeys)
    std::cout << InventoryText(InventoryJson(app)) << std::flush;
  else if (options.Json) {
    WriteControlTreeJson(std::cout, app.Window(), app.ControlOwners(), app.ImageList());
    std::cout << '\n';
  } else
    WriteControlTreeText(std::cout, app.Window(), app.ControlOwners());
  CheckStandardOutput();
  WbPhaseEnds("output");
  SaveLayoutOption(options, app, reporter);
  app.Finish();
  WbPhaseEnds("finish");
  PrintPhaseTimes();
  return ExitStatus(app);
}

int RunScriptOn(const TWbOptions& options) {
  const std::string script = ReadScript(options.Script);
  const TWbAppDecl decl = LoadAppFile(options.AppFile, options.Strict);
  TWbJsonLinesReporter out(std::cout);
  TWbCauseReporter reporter(out);
  const auto native = OffscreenFor(options, reporter);
  TWbApplication app(reporter, options.Strict);
  app.Load(decl, ChooseModulePath(options.Module, decl.Module, options.AppFile));
  RestoreLayoutOption(options, app, reporter);
  TWbScriptContext context{app, reporter, false, &reporter};
  RunScript(context, script, options.Script == "-" ? "<stdin>" : options.Script);
  WritePictures(options, app, native.get(), decl.Name);
  if (options.Accessibility) {
    TWbJson event = NewEvent("accessibility");
    event["tree"] = native->AccessibilityTree(app, decl.Name);
    reporter.Emit(event);
  }
  SaveLayoutOption(options, app, reporter);
  app.Finish();
  return ExitStatus(app);
}

// The script when one is given, else every work item: what a window shows before it opens.
void RunScriptOrEveryWorkItem(TWbScriptContext& context, const TWbOptions& options, const std::string& script) {
  if (options.Script.empty())
    context.App.RunAll();
  else
    RunScript(context, script, options.Script == "-" ? "<stdin>" : options.Script);
}

// With --window: load, run the script or else every work item, then show the window until it is
// closed. With --json every event goes to stdout as it happens, and the window's last state as a
// dump event at the end; without, errors go to stderr. The phases are timed as ShowWindow's, up to
// the first frame (docs/performance.md).
int OpenWindow(const TWbOptions& options) {
  if (!HasDisplay()) {
    std::cerr << "nuv-workbench: --window needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set; "
                 "--screenshot FILE.png draws the window without one"
              << std::endl;
    return KExitLoadError;
  }
  WbPhaseEnds("start");
  const std::string script = options.Script.empty() ? std::string() : ReadScript(options.Script);
  const TWbAppDecl decl = LoadAppFile(options.AppFile, options.Strict);
  WbPhaseEnds("file");
  TWbJsonLinesReporter out(std::cout);
  TWbCauseReporter json(out);
  TWbConsoleReporter console(std::cerr);
  TWbReporter& reporter = options.Json ? static_cast<TWbReporter&>(json) : console;
  TWbNative native(false, options.AppFile, reporter, ScaleOf(options));
  WbPhaseEnds("qt");
  TWbApplication app(reporter, options.Strict);
  app.Load(decl, ChooseModulePath(options.Module, decl.Module, options.AppFile));
  RestoreLayoutOption(options, app, reporter);
  TWbScriptContext context{app, reporter, false, options.Json ? &json : nullptr};
  RunScriptOrEveryWorkItem(context, options, script);
  WritePictures(options, app, options.Screenshot.empty() ? nullptr : &native, decl.Name);
  WbPhaseEnds("run");
  native.RunWindow(app, decl.Name, options.CloseAfterFirstFrame);
  WbPhaseEnds("shown");
  if (options.Json) DumpWindow(context, {});
  SaveLayoutOption(options, app, reporter);
  app.Finish();
  WbPhaseEnds("finish");
  PrintPhaseTimes();
  return ExitStatus(app);
}

// With --serve: load, run the script or else every work item, then serve the live window until
// SIGINT or SIGTERM; events go to stdout as with a script, and to the page's log.
int ServeWindow(const TWbOptions& options) {
  const TWbServeAddress address = CheckedServeAddress(options.Serve, options.AllowRemote);
  const std::string script = options.Script.empty() ? std::string() : ReadScript(options.Script);
  const TWbAppDecl decl = LoadAppFile(options.AppFile, options.Strict);
  TWbJsonLinesReporter out(std::cout);
  TWbEventLog log(out);
  TWbCauseReporter causes(log);
  const auto native = OffscreenFor(options, causes);
  auto app = std::make_unique<TWbApplication>(causes, options.Strict);
  app->Load(decl, ChooseModulePath(options.Module, decl.Module, options.AppFile));
  RestoreLayoutOption(options, *app, causes);
  TWbScriptContext context{*app, causes, false, &causes};
  RunScriptOrEveryWorkItem(context, options, script);
  WritePictures(options, *app, native.get(), decl.Name);
  if (!options.Watch) {
    ServeUntilSignal(*app, log, address, options.AppFile, &causes);
    SaveLayoutOption(options, *app, causes);
    app->Finish();
    return ExitStatus(*app);
  }
  TWbWatchedApplication watched(std::move(app), decl, options.AppFile, options.Module, causes, options.Strict);
  ServeAndWatchUntilSignal(watched, log, address, options.AppFile, causes);
  SaveLayoutOption(options, watched.App(), causes);
  watched.App().Finish();
  return ExitStatus(watched.App());
}

// What --help lists after the options: the factories an application file names and the script
// commands, each on a line of its own.
std::string HelpFooter() {
  std::string footer = "View-part factories (<ViewPart Factory=...>):\n";
  for (const auto& factory : KnownFactories()) footer += fmt::format("  {:<30}{}\n", factory.Name, factory.What);
  footer += "\nScript commands (--script FILE, one per line):\n";
  for (const auto& row : ScriptCommandTable()) footer += "  " + ScriptCommandUsage(row.Name, row.Command) + "\n";
  return footer + "\nThe application file, the script commands and the events: docs/workbench.md";
}

// Without a font file the toolkit measures with built-in metrics: sizes hold, but no text that is
// drawn will fit them.
void WarnWithoutFonts() {
  if (TextMetrics().UsesBuiltInMetrics())
    std::cerr << "nuv-workbench: warning: fontconfig finds no font; sizes come from built-in metrics and drawn "
                 "text will not match them (Debian: fonts-dejavu-core)"
              << std::endl;
}

}  // namespace

int main(int argc, char** argv) try {
  TWbOptions options;
  CLI::App cli{"nuv-workbench: loads an application file and drives its view parts", "nuv-workbench"};
  cli.add_option("APPFILE", options.AppFile, "The application file")->type_name("");
  cli.add_option("--script", options.Script,
                 "Run the script after loading (- is standard input); events go to stdout as JSON Lines")
      ->type_name("FILE");
  cli.add_flag("--json", options.Json,
               "Without a script: print the window as one JSON object instead of the text tree");
  cli.add_option("--module", options.Module,
                 "The plug-in module; default: the application file's Module attribute, else "
                 "NUV.ViewParts.TBX.so beside the runner, else the installed one")
      ->type_name("PATH");
  cli.add_option("--render", options.Render,
                 "After loading (and the script): write the window as a self-contained HTML file")
      ->type_name("FILE.html");
  cli.add_option("--serve", options.Serve,
                 "Serve the live window (page and API) on ADDR:PORT (default address 127.0.0.1; port 0: "
                 "any free port) until SIGINT or SIGTERM")
      ->type_name("[ADDR:]PORT");
  cli.add_option("--screenshot", options.Screenshot,
                 "After loading (and the script): draw the native window and its floating windows offscreen "
                 "into a PNG file (no display needed)")
      ->type_name("FILE.png");
  auto* window = cli.add_flag("--window", options.Window,
                              "After loading (and the script): open the native window and run until it is closed "
                              "(or SIGINT/SIGTERM); with --json, events go to stdout as they happen");
  cli.add_flag("--close-after-first-frame", options.CloseAfterFirstFrame,
               "With --window: once the window's first frame is painted, print the moment to stderr and close "
               "the window as the user would (for timing a start)")
      ->needs(window);
  cli.add_option("--layout", options.Layout,
                 "Put the toolbars, dockable panels and window size kept in FILE back after loading (a missing "
                 "file is a warning), and keep them there again when the run ends")
      ->type_name("FILE.json");
  cli.add_flag("--allow-remote", options.AllowRemote, "Allow --serve on an address that is not loopback");
  cli.add_flag("--strict", options.Strict,
               "End the run with status 2 at the first error or warning that the application file causes "
               "(loading it, its view parts' Initialize, their first run), before the window shows");
  auto* listKeys = cli.add_flag("--list-keys", options.ListKeys,
                                "Run every work item, then print every data key, topic and service of the window "
                                "instead of the window (with --json: as one JSON object)");
  cli.add_flag("--watch", options.Watch,
               "With --serve: compose the application anew whenever its file changes; the page follows")
      ->needs("--serve");
  cli.add_option("--scale", options.Scale,
                 "With --window or --screenshot: draw at F device pixels per pixel (0.5 to 4; 2: a screenshot twice "
                 "as wide and high); the control tree does not change")
      ->type_name("F");
  auto* accessibility =
      cli.add_flag("--accessibility", options.Accessibility,
                   "After loading (and the script): print the window's accessibility tree as Qt reports it (JSON; "
                   "with a script, as an accessibility event) instead of the control tree");
  cli.add_flag("--version", options.Version, "Print the runner's and the module's version");
  window->excludes(cli.get_option("--serve"));
  for (const char* other : {"--script", "--serve", "--window"}) listKeys->excludes(cli.get_option(other));
  for (const char* other : {"--serve", "--window", "--list-keys"}) accessibility->excludes(cli.get_option(other));
  cli.footer(HelpFooter());
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return cli.exit(e) == 0 ? 0 : KExitLoadError;
  }
  try {
    CheckNoEmptyValues(cli);
    if (options.Version) return PrintVersions(options);
    if (options.AppFile.empty()) throw EWbLoadError("no application file given; see --help");
    CheckOutputsAreNoInputs(options);
    ScaleOf(options);
    WarnWithoutFonts();
    if (!options.Serve.empty()) return ServeWindow(options);
    if (options.Window) return OpenWindow(options);
    return options.Script.empty() ? ShowWindow(options) : RunScriptOn(options);
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return KExitLoadError;
  }
} catch (...) {
  // Setting up the command line failed: nothing was loaded.
  std::cerr << "nuv-workbench: cannot set up the command line" << std::endl;
  return KExitLoadError;
}
