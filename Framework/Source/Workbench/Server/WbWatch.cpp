#include "WbWatch.h"

#include <sys/stat.h>

#include "WbErrors.h"
#include "WbModulePath.h"

namespace {

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

}  // namespace

bool TWbFileStamp::operator==(const TWbFileStamp& other) const {
  return Exists == other.Exists && Device == other.Device && Inode == other.Inode && Size == other.Size &&
         SameTime(Modified, other.Modified) && SameTime(Changed, other.Changed);
}

TWbFileStamp StampOf(const std::string& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

// ---------------------------------------------------------------------------------------------

TWbFileWatch::TWbFileWatch(std::string file) : FFile(std::move(file)), FSeen(StampOf(FFile)), FLastLook(FSeen) {}

bool TWbFileWatch::Changed() {
  const TWbFileStamp now = StampOf(FFile);
  const bool settled = now == FLastLook;
  FLastLook = now;
  if (!settled || now == FSeen) return false;
  FSeen = now;
  return true;
}

// ---------------------------------------------------------------------------------------------

TWbWatchedApplication::TWbWatchedApplication(std::unique_ptr<TWbApplication> app, TWbAppDecl decl, std::string appFile,
                                             std::string moduleOption, TWbCauseReporter& causes, bool strict)
    : FApp(std::move(app)),
      FDecl(std::move(decl)),
      FAppFile(std::move(appFile)),
      FModuleOption(std::move(moduleOption)),
      FModulePath(ChooseModulePath(FModuleOption, FDecl.Module, FAppFile)),
      FCauses(causes),
      FWatch(FAppFile),
      FStrict(strict) {}

TWbWatchedApplication::~TWbWatchedApplication() = default;

std::unique_ptr<TWbApplication> TWbWatchedApplication::Compose(const TWbAppDecl& decl, const std::string& modulePath) {
  auto app = std::make_unique<TWbApplication>(FCauses, FStrict);
  app->Load(decl, modulePath);
  app->RunAll();
  return app;
}

// The file changed on disk: its faults are placed in it, for the page as for the terminal.
TWbError TWbWatchedApplication::ReloadError() const {
  TWbError error = CurrentError();
  PlaceInFile(error, FAppFile);
  return error;
}

TWbApplication& TWbWatchedApplication::Reload() {
  const TWbCauseReporter::TScope cause(&FCauses, "reload " + std::to_string(++FReloads));
  bool loaded = false;
  try {
    // Read with the checks and limits of the first load, before anything of the window goes.
    TWbAppDecl decl = LoadAppFile(FAppFile, FStrict);
    std::string modulePath = ChooseModulePath(FModuleOption, decl.Module, FAppFile);
    FApp->Finish();
    FApp.reset();
    try {
      FApp = Compose(decl, modulePath);
      FDecl = std::move(decl);
      FModulePath = std::move(modulePath);
      loaded = true;
    } catch (...) {
      FCauses.Error(ReloadError());
      FApp = Compose(FDecl, FModulePath);
    }
  } catch (...) {
    if (!FApp) throw;
    FCauses.Error(ReloadError());
  }
  TWbJson event = NewEvent("reload");
  event["file"] = FAppFile;
  event["loaded"] = loaded;
  FCauses.Emit(event);
  return *FApp;
}
