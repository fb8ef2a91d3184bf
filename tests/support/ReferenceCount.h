// The references an object holds, as its own counting reports them: what a test sees through the
// interface, without a counter that only tests would read.
#pragma once

#include "KolInterfaces.h"

inline int ReferenceCount(IInterface* object) {
  const int count = object->_AddRef();
  object->_Release();
  return count - 1;
}
