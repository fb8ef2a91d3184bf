/// @file
/// The service that a toolbar view part publishes under its configured service ID.
#pragma once
#pragma GCC visibility push(default)

#include "NUVIntf.h"
#include "TbxToolbars.h"

class INUVToolbarService : public virtual IInterface {
 public:
  static constexpr TGUID IID = StringToGUID("{F5A3A1EB-AA56-4475-8868-3A01FDFCA829}");
  virtual std::string GetServiceID() = 0;
  virtual TIntfPtr<IQIMExtension> GetExtension() = 0;
  virtual TIntfPtr<INUVWorkItem> GetWorkItem() = 0;
  virtual TTBXToolbar* GetToolbar() = 0;  ///< not counted
};

#pragma GCC visibility pop
