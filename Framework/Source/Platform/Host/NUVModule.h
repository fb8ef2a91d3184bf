/// @file
/// Loading a view-part plug-in module: its factories by name and its version record.
#pragma once

#include <string>

#include "NUVIntf.h"

using TNUVViewPartFactory = INUVViewPart* (*)(IQIMExtension*, INUVWorkItem*);

class ENUVModuleError : public Exception {
 public:
  using Exception::Exception;
  ~ENUVModuleError() override;
};

class TNUVModule {
 public:
  /// Loads the module; raises ENUVModuleError with the loader's message when it cannot.
  explicit TNUVModule(const std::string& path);
  ~TNUVModule();
  TNUVModule(const TNUVModule&) = delete;
  TNUVModule& operator=(const TNUVModule&) = delete;

  const std::string& Path() const { return FPath; }
  /// The exported factory, or nullptr when the module has no such export.
  TNUVViewPartFactory FindFactory(const std::string& name) const;
  /// Calls the factory and adopts the reference it hands out.
  TIntfPtr<INUVViewPart> Create(TNUVViewPartFactory factory, IQIMExtension* extension, INUVWorkItem* workItem) const;
  /// The file and product version of the module's version record; "" when it has none.
  std::string Version() const;

 private:
  std::string FPath;
  void* FHandle = nullptr;
};
