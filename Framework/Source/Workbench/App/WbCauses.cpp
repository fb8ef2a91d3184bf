#include "WbCauses.h"

void TWbCauseReporter::Emit(const TWbJson& event) {
  if (!FCause || event.contains("cause")) return FNext.Emit(event);
  TWbJson stamped = event;
  stamped["cause"] = *FCause;
  FNext.Emit(stamped);
}

TWbCauseReporter::TScope::TScope(TWbCauseReporter* causes, std::string cause) : FCauses(causes) {
  if (!FCauses) return;
  FOuter = std::move(FCauses->FCause);
  FCauses->FCause = std::move(cause);
}

TWbCauseReporter::TScope::~TScope() {
  if (FCauses) FCauses->FCause = std::move(FOuter);
}
