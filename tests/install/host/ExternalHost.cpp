// Loads the installed plug-in module and shows a label in a window, the way a host does: only the
// exported factory, the contract and the host objects. Prints the label's text and state.
#include <cstdio>
#include <exception>

#include "NUVHostObjects.h"
#include "NUVModule.h"
#include "TbxTextObjects.h"

#ifndef NUV_MODULE
#define NUV_MODULE ""
#endif

namespace {

int ShowLabel(const char* modulePath) {
  TNUVModule module(modulePath);
  TWinControl window(nullptr);
  auto services = MakeCounted<TNUVServiceCenter>();
  auto broker = MakeCounted<TNUVEventBroker>();
  auto workItem = MakeCounted<TNUVWorkItem>("Main", &window, services, broker);
  auto extData = LoadXMLDocument("<ExtData><Label><Alignment>RightJustify</Alignment></Label></ExtData>", "host");
  TIntfPtr<IQIMExtension> extension = MakeCounted<TNUVExtension>("Title", "Hello from the installed module", extData);

  auto label = module.Create(module.FindFactory("CreateLabelViewPart"), extension.get(), workItem.get());
  label->Initialize();
  bool handled = false;
  label->DoWorkItemRunning("", nullptr, handled);
  auto* control = dynamic_cast<TTBXLabel*>(label->GetControl());
  if (!control || control->GetParent() != &window) return 1;
  std::printf("module %s\n", module.Version().c_str());
  std::printf("label \"%s\" %s\n", control->GetText().c_str(),
              control->GetAlignment() == taRightJustify ? "right-justified" : "?");
  workItem->GetDataContext()->WriteValue("Title_Caption", TNUVValue(std::string("Rebound")));
  std::printf("after binding \"%s\"\n", control->GetText().c_str());
  label->Finalize();
  return window.GetControlCount() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return ShowLabel(argc > 1 ? argv[1] : NUV_MODULE);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "external-host: %s\n", error.what());
    return 2;
  }
}
