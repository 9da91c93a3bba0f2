// The header line on row 23: the access type and its parameters.
#pragma once
#include "base/Types.h"

static const u32 HEADER_LINE_CHARS = 80;
static const i32 HEADER_LINE_ROW = 23;

// Columns inside the header line where the digits of the space's parameters stand (for the
// parameter fields of the access-type selection); those of the last header built.
extern i32 HeaderFieldColumns[3];

// Builds the header text of access type `type` for the current record into `text`
// (HEADER_LINE_CHARS characters, terminated inside).
void BuildHeaderLine(i32 type, char16_t* text);
// Paints it at row 23, blank to the end of the row (into a register file: the text only).
void PaintHeaderLine(i32 type);
