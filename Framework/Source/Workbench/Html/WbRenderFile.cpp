#include "WbRenderFile.h"

#include <filesystem>
#include <fstream>

#include "WbErrors.h"
#include "WbHtmlRender.h"

void WriteWindowPicture(const TWbApplication& app, const std::string& appFile, const std::string& htmlFile) {
  TWbRenderOptions options;
  options.BaseDir = std::filesystem::path(appFile).parent_path().string();
  const std::string page = RenderWindowPage(app.WindowJson(), options);
  std::ofstream file(htmlFile, std::ios::binary | std::ios::trunc);
  file << page;
  file.close();
  if (!file) throw EWbLoadError(htmlFile + ": cannot write the file");
}
