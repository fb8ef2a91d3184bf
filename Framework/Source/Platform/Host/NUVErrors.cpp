#include "NUVViewPart.h"

const char* const SViewPartNotOnMe = "ViewPart[%s] is not on WorkSpace[%s]";

ENUVViewPartError::ENUVViewPartError(std::string viewPartName, std::string message)
    : Exception(std::move(message)), FViewPartName(std::move(viewPartName)) {}

ENUVViewPartError::~ENUVViewPartError() = default;

void RaiseViewPartError(INUVViewPart* viewPart, std::string message) {
  throw ENUVViewPartError(viewPart ? viewPart->GetName() : std::string(), std::move(message));
}

EConvertError::~EConvertError() = default;
EDataKeyError::~EDataKeyError() = default;
