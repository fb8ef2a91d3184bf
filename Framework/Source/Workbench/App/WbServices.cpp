#include "WbServices.h"

#include "NUVToolbarService.h"
#include "NUVViewPart.h"
#include "WbEvents.h"

namespace {

struct TKnownInterface {
  TGUID IID;
  const char* Name;
};

// The service interfaces the runner can name, most specific first; new services add a row.
const TKnownInterface KnownInterfaces[] = {
    {INUVToolbarService::IID, "INUVToolbarService"},
    {INUVImageService::IID, "INUVImageService"},
    {INUVActionService::IID, "INUVActionService"},
};

TWbJson InterfaceName(IInterface* service) {
  for (const auto& known : KnownInterfaces)
    if (Supports(service, known.IID, nullptr)) return known.Name;
  return nullptr;
}

TWbJson ImplementingViewPart(IInterface* service) {
  auto* viewPart = dynamic_cast<INUVViewPart*>(GetImplObject(service));
  return viewPart ? TWbJson(viewPart->GetName()) : TWbJson();
}

}  // namespace

TWbJson ServiceEventJson(const INUVServiceCenter& services, const std::string& id) {
  TWbJson json = NewEvent("service");
  json["id"] = id;
  TIntfPtr<IInterface> service = services.FindService(id);
  if (!service) {
    json["found"] = false;
    return json;
  }
  json["interface"] = InterfaceName(service.get());
  json["viewPart"] = ImplementingViewPart(service.get());
  return json;
}
