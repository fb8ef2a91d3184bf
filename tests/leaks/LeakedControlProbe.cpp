// A program for the leak check of the sanitizer build. "leak" and "leak-focused" lose a windowed
// control (the second after giving it the focus): the leak check must report it. "static" leaves a
// focused control to static destruction, which must end cleanly and report nothing.
#include <memory>
#include <string_view>

#include "TbxControls.h"

namespace {
std::unique_ptr<TWinControl> StaticControl;  // destroyed after the toolkit's own statics were made
}

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "static") {
    StaticControl = std::make_unique<TWinControl>(nullptr);
    StaticControl->SetFocus();
    return 0;
  }
  if (mode != "leak" && mode != "leak-focused") return 2;
  auto* lost = new TWinControl(nullptr);
  new TControl(lost);  // owned by the lost control: lost with it
  if (mode == "leak-focused") lost->SetFocus();
  return lost->GetHandle() == 0 ? 1 : 0;
}
