#include "WorkbenchInProcess.h"

#include "WbDump.h"
#include "WbModulePath.h"
#include "WorkbenchRunner.h"

TInProcessWorkbench::TInProcessWorkbench(const std::string& appFile) {
  const std::string path = appFile.front() == '/' ? appFile : WorkbenchDataDir() + "/" + appFile;
  const TWbAppDecl decl = LoadAppFile(path);
  App.Load(decl, ChooseModulePath("", decl.Module, path));
}

std::vector<nlohmann::json> TInProcessWorkbench::Run(const std::string& script) {
  const size_t before = Reporter.Events.size();
  TWbScriptContext context{App, Reporter};
  RunScript(context, script, "test.script");
  return {Reporter.Events.begin() + static_cast<std::ptrdiff_t>(before), Reporter.Events.end()};
}

std::string TInProcessWorkbench::TextTree() { return ControlTreeText(App.Window(), App.ControlOwners()); }

std::string ExampleFile(const std::string& name) { return std::string(NUV_SOURCE_DIR) + "/examples/" + name + ".xml"; }
