#include "FuzzWorkbench.h"

#include <dlfcn.h>

#include "FuzzSupport.h"
#include "WbModulePath.h"

void TFuzzReporter::HostEvent(const TNUVEvent& event) { JsonText(HostEventJson(event)); }

void TFuzzReporter::Error(const TWbError& error) {
  if (!IsExpectedErrorClass(error.Class, Gestures)) ReportUnexpected(error.Class, error.Message);
  JsonText(ErrorEventJson(error));
}

void TFuzzReporter::Emit(const TWbJson& event) { JsonText(event); }

const std::string& FuzzModulePath() {
  static const std::string path = [] {
    std::string modulePath = DefaultModulePath();
    if (!dlopen(modulePath.c_str(), RTLD_NOW)) {
      std::fprintf(stderr, "cannot load %s: %s\n", modulePath.c_str(), dlerror());
      std::abort();
    }
    return modulePath;
  }();
  return path;
}
