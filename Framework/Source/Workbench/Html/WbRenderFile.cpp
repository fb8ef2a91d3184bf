#include "WbRenderFile.h"

#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "WbControlWriters.h"
#include "WbDump.h"
#include "WbErrors.h"
#include "WbHtmlRender.h"

namespace {

// The children of a node are asked of the toolkit control it was made from, which this source
// remembers for as long as the node lives (the painter holds it while it draws the children).
class TWbToolkitChildren : public TWbHtmlChildren {
 public:
  explicit TWbToolkitChildren(const TWbApplication& app) : FOwners(app.ControlOwners()), FImages(app.ImageList()) {}

  nlohmann::json Root(const TControl& window) const { return ControlNodeJson(window, FOwners, FImages); }
  void Remember(const nlohmann::json& node, const TControl& control, int level) const {
    FControls[&node] = {&control, level};
  }

  void ForEach(const nlohmann::json& control, const TEach& each) const override {
    const auto found = FControls.find(&control);
    if (found == FControls.end()) return;
    const auto [made, level] = found->second;
    const auto* parent = KindCast<TWinControl>(made);
    for (int i = 0; parent && i < parent->GetControlCount(); ++i) {
      const TControl& childControl = *parent->GetControl(i);
      CheckDumpLevel(level + 1, "the control " + JsonText(childControl.GetName()));
      const nlohmann::json child = ControlNodeJson(childControl, FOwners, FImages);
      Remember(child, childControl, level + 1);
      const bool more = each(child);
      FControls.erase(&child);
      if (!more) return;
    }
  }

 private:
  struct TMade {
    const TControl* Control;
    int Level;
  };
  const TWbControlOwners FOwners;
  const TCustomImageList* FImages;
  mutable std::unordered_map<const nlohmann::json*, TMade> FControls;
};

}  // namespace

void WriteWindowPage(std::ostream& out, const TWbApplication& app, const std::string& baseDir) {
  TWbRenderOptions options;
  options.BaseDir = baseDir;
  const TWbToolkitChildren children(app);
  const nlohmann::json window = children.Root(app.Window());
  children.Remember(window, app.Window(), 1);
  WriteWindowPage(out, window, options, children);
}

void WriteWindowPicture(const TWbApplication& app, const std::string& appFile, const std::string& htmlFile) {
  std::ofstream file(htmlFile, std::ios::binary | std::ios::trunc);
  try {
    if (file) WriteWindowPage(file, app, std::filesystem::path(appFile).parent_path().string());
    file.close();
    if (!file) throw EWbLoadError(htmlFile + ": cannot write the file");
  } catch (...) {
    // Half a page is no picture: a regular file goes (a device or pipe is left as it is).
    file.close();
    std::error_code error;
    if (std::filesystem::is_regular_file(htmlFile, error)) std::filesystem::remove(htmlFile, error);
    throw;
  }
}
