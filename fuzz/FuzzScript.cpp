// fuzz_script: the runner's script parser and commands over arbitrary text. The first byte
// chooses one of the example applications; the rest is the script run on it.
#include <array>
#include <vector>

#include "FuzzSupport.h"
#include "FuzzWorkbench.h"
#include "WbAppFile.h"
#include "WbScript.h"

namespace {

// The seeds put each example's index first; keep this order.
constexpr std::array<const char*, 8> KApplications{"label",  "buttons",  "docks",     "multidock",
                                                   "panels", "showcase", "statusbar", "toolbars"};

std::vector<TWbAppDecl>& Applications() {
  static std::vector<TWbAppDecl> applications;
  return applications;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzModulePath();
  for (const char* name : KApplications)
    Applications().push_back(LoadAppFile(std::string(NUV_SOURCE_DIR "/examples/") + name + ".xml"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuzzInput input(data, size);
  const TWbAppDecl& decl = Applications()[static_cast<size_t>(input.Choose(static_cast<int>(KApplications.size())))];
  const std::string script(input.Rest());
  TFuzzReporter reporter;
  TWbApplication app(reporter);
  FuzzStep([&] { app.Load(decl, FuzzModulePath()); });
  TWbScriptContext context{app, reporter};
  reporter.Gestures = true;
  RunScript(context, script, "fuzz.script");
  app.Finish();
  return 0;
}
