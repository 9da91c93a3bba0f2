// The parameter fields of a new space, typed over their digits in the header line.
#include "spaces/AccessSelect.h"
#include "app/AccessType.h"
#include "app/MainLoop.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "spaces/SuperIoCommands.h"
#include "ui/ColorSet.h"
#include "ui/StatusLine.h"
#include "view/HeaderLine.h"

static const u32 MAX_FIELDS = 3;

struct ParameterField {
  i32 column;
  u32 digits;
  u32 value;
};

struct ParameterSet {
  u32 count;
  ParameterField fields[MAX_FIELDS];
};

static void AddField(ParameterSet* set, u32 digits, i32 value) {
  set->fields[set->count] = {HeaderFieldColumns[set->count], digits, (u32)value};
  set->count++;
}

// The fields of `type` with the start values of the new record; the columns are those the
// header line just painted for it left behind.
static ParameterSet FieldsOf(i32 type) {
  ParameterSet set = {0, {}};
  switch (type) {
    case ACCESS_PCI:
      AddField(&set, 2, Current->bus);
      AddField(&set, 2, Current->device);
      AddField(&set, 2, Current->function);
      break;
    case ACCESS_ISA:
    case ACCESS_INDEXED_PCI:
      AddField(&set, 4, Current->indexPort);
      AddField(&set, 4, Current->dataPort);
      break;
    case ACCESS_IO_SPACE:
      AddField(&set, 4, Current->indexPort);
      break;
    case ACCESS_MEMORY:
      AddField(&set, 8, 0);
      break;
  }
  return set;
}

// A device number above 1Fh or a function above 7 would carry into the bus and device bits
// of the configuration address and show another function than the header names.
static void StoreFields(i32 type, const ParameterSet& set) {
  switch (type) {
    case ACCESS_PCI:
      Current->bus = (i32)(set.fields[0].value & 0xFF);
      Current->device = (i32)(set.fields[1].value & 0x1F);
      Current->function = (i32)(set.fields[2].value & 0x07);
      break;
    case ACCESS_INDEXED_PCI:
      Current->bus = Current->device = Current->function = 0;
      Current->indexPort = (i32)set.fields[0].value;
      Current->dataPort = (i32)set.fields[1].value;
      break;
    case ACCESS_ISA:
      Current->indexPort = (i32)set.fields[0].value;
      Current->dataPort = (i32)set.fields[1].value;
      break;
    case ACCESS_IO_SPACE:
      Current->indexPort = (i32)set.fields[0].value;
      break;
    case ACCESS_MEMORY:
      Current->pageBase = (i32)set.fields[0].value;
      Current->objectBase = 0;
      Current->viewFlags = VIEW_ASCII;
      break;
  }
}

// Enter on the last field accepts; Enter or Right moves on, Left moves back; Esc cancels;
// any other ending key stays on the field.
static bool EditFields(ParameterSet* set) {
  u32 at = 0;
  for (;;) {
    ParameterField& field = set->fields[at];
    ScreenAttr = ColorSet[15];
    u32 key = EditField(field.column, HEADER_LINE_ROW, field.digits, &field.value, 0, 0);
    if (key == KEY_ESC) return false;
    bool last = at + 1 == set->count;
    if (key == KEY_ENTER && last) return true;
    if ((key == KEY_ENTER || key == KEY_RIGHT) && !last) at++;
    if (key == KEY_LEFT && at > 0) at--;
  }
}

bool AskParameters(i32 type) {
  StatusLine(u"<Arrows> Move,  enter hex numbers for parameters", STATUS_SET);
  PaintHeaderLine(type);
  SioCommandListsClear();
  Current->isaSet = -1;
  ParameterSet set = FieldsOf(type);
  if (set.count == 0 || !EditFields(&set)) return false;
  Current->viewFlags = 0;
  StoreFields(type, set);
  return true;
}
