// Helpers shared by the toolkit's property setters.
#pragma once

// Stores value in field and tells whether it differed, so setters signal real changes only.
template <class T>
bool UpdateField(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}
