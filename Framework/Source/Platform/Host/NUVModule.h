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
  /// The factory of that name, or nullptr when the module has none. A factory is a function named
  /// Create<Kind>ViewPart that the module itself defines and exports; what the loader would find
  /// under the name in the module's dependencies (abort, system, ...) is no factory.
  TNUVViewPartFactory FindFactory(const std::string& name) const;
  /// Whether name has the form of a factory: "Create", a kind of letters and digits, "ViewPart".
  static bool IsFactoryName(const std::string& name);
  /// Calls the factory and adopts the reference it hands out.
  TIntfPtr<INUVViewPart> Create(TNUVViewPartFactory factory, IQIMExtension* extension, INUVWorkItem* workItem) const;
  /// The file and product version of the module's version record; "" when it has none.
  std::string Version() const;

 private:
  std::string FPath;
  void* FHandle = nullptr;
};
