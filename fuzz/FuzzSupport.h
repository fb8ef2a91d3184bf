// What every fuzz target shares: reading the input step by step, and telling expected errors
// (the library's documented answers to bad input or misuse) from findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "KolXml.h"

// Reads the fuzzer's bytes from the front; past the end every byte is 0.
class TFuzzInput {
 public:
  TFuzzInput(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  std::uint8_t Byte() { return FPos < FSize ? FData[FPos++] : 0; }
  // A number below count (count > 0).
  int Choose(int count) { return Byte() % count; }
  // Everything not read yet.
  std::string_view Rest() const { return {reinterpret_cast<const char*>(FData) + FPos, FSize - FPos}; }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

// True for the error classes the library raises on purpose; the fuzzer goes on after them. The
// toolkit answers a caller's index out of range with a plain Exception: expected only where the
// step is the user's gesture (a script line, a click), not where configuration is read.
bool IsExpectedErrorClass(const std::string& className, bool callerStep = false);

// Aborts (a finding) for an exception outside the expected classes.
[[noreturn]] void ReportUnexpected(const std::string& className, const std::string& message);

// Runs one step; an expected error ends the step, anything else is a finding.
template <class F>
void FuzzStep(F&& step, bool callerStep = false) {
  try {
    step();
  } catch (const Exception& e) {
    if (!IsExpectedErrorClass(e.ClassName(), callerStep)) ReportUnexpected(e.ClassName(), e.Message());
  } catch (const std::exception& e) {
    ReportUnexpected(ClassNameOf(typeid(e)), e.what());
  }
}

// A step that is a user's gesture on a control: see IsExpectedErrorClass.
template <class F>
void FuzzGestureStep(F&& step) {
  FuzzStep(step, true);
}

// The element and its descendants, depth first, at most limit of them.
template <class F>
void ForEachElement(const TIntfPtr<IXMLNode>& node, int& limit, F&& visit) {
  if (!node || limit-- <= 0) return;
  visit(node);
  auto children = node->ChildNodes();
  for (int i = 0; i < children->Count(); ++i) ForEachElement(children->Get(i), limit, visit);
}
