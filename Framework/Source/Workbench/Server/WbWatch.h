// --watch: the served application is composed anew from its file whenever the file changes.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <memory>
#include <string>

#include "WbAppFile.h"
#include "WbApplication.h"
#include "WbCauses.h"

// What one look at a file finds: enough to tell that it was written, replaced or removed.
struct TWbFileStamp {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  timespec Modified{};
  timespec Changed{};

  bool operator==(const TWbFileStamp& other) const;
};

TWbFileStamp StampOf(const std::string& file);

// Looks at a file now and then. The file as it is when the watch starts counts as seen.
class TWbFileWatch {
 public:
  explicit TWbFileWatch(std::string file);
  // True once the file differs from what was last seen and has stayed the same over two looks in
  // a row, so that an editor's write is over before the file is read.
  bool Changed();

 private:
  std::string FFile;
  TWbFileStamp FSeen;
  TWbFileStamp FLastLook;
};

// The served application and the file it comes from.
class TWbWatchedApplication {
 public:
  // app: composed from decl and running; causes: the reporter the application reports through;
  // strict: a warning about a changed file keeps it from loading, as at the start (--strict).
  TWbWatchedApplication(std::unique_ptr<TWbApplication> app, TWbAppDecl decl, std::string appFile,
                        std::string moduleOption, TWbCauseReporter& causes, bool strict = false);
  ~TWbWatchedApplication();
  TWbWatchedApplication(const TWbWatchedApplication&) = delete;
  TWbWatchedApplication& operator=(const TWbWatchedApplication&) = delete;

  TWbApplication& App() { return *FApp; }
  bool FileChanged() { return FWatch.Changed(); }

  // Reads the file again. When it loads, the window is stopped and finalized and the new one is
  // composed and run. A file that does not load gives an error event and the window goes on as
  // it was; a fault that shows only once the new view parts exist (a work space that is none)
  // finalizes them and composes the last file that loaded again. Each reload is the cause of its
  // events ("reload N") and ends with a `reload` event: file, and whether it loaded. Raises only
  // when even the last good file cannot be composed again (its module is gone).
  TWbApplication& Reload();

 private:
  std::unique_ptr<TWbApplication> Compose(const TWbAppDecl& decl, const std::string& modulePath);
  TWbError ReloadError() const;

  std::unique_ptr<TWbApplication> FApp;
  TWbAppDecl FDecl;  // the last file that loaded
  std::string FAppFile, FModuleOption, FModulePath;
  TWbCauseReporter& FCauses;
  TWbFileWatch FWatch;
  bool FStrict;
  int FReloads = 0;
};
