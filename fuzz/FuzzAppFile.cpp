// fuzz_appfile: the runner's application-file parser over arbitrary XML text; a file that parses
// is loaded, run and finished as the runner does without a script.
#include "FuzzSupport.h"
#include "FuzzWorkbench.h"
#include "WbAppFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzModulePath();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TWbAppDecl decl;
  bool parsed = false;
  FuzzStep([&] {
    decl = ParseAppFile(LoadXMLDocument(std::string_view(reinterpret_cast<const char*>(data), size), "app.xml"));
    parsed = true;
  });
  if (!parsed) return 0;
  TFuzzReporter reporter;
  TWbApplication app(reporter);
  FuzzStep([&] {
    app.Load(decl, FuzzModulePath());
    app.RunAll();
  });
  app.Finish();
  return 0;
}
