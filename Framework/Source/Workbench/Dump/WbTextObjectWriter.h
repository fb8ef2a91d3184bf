// The properties that the TBX text controls share in the control dump, for the writers of the
// controls built on TTBXTextObject.
#pragma once

#include "TbxTextObjects.h"
#include "WbControlWriters.h"

// Alignment, AutoSize, Color, Font, Wrapping, Action and OnClick, with notes for what differs
// from a plain control.
void WriteTextObject(const TTBXTextObject& control, TWbControlProperties& properties);
// Where the text stands and its lines as drawn (wrapped, cut short with an ellipsis).
void WriteTextLayout(const TTBXTextObject& control, TWbControlProperties& properties);
