// State shared with the register explanation tables: the marked field and the anchor.
#pragma once
#include "base/Types.h"

extern u32 FieldMarkStart;  // page offsets of the first and last byte of the current field
extern u32 FieldMarkEnd;
extern u32 ExplanationAnchor;    // address of the structure the explanation applies to
extern i32 ExplanationOverride;  // -1: chosen automatically from the access type
