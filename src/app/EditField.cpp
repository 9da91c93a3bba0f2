// In-place editing of a grid value: hex digits (mode 0) or characters (mode 1).
#include "app/MainLoop.h"
#include "base/Text.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"
#include "platform/Timer.h"
#include "ui/ColorSet.h"

static const u32 MAX_FIELD = 8;

struct FieldText {
  char16_t typed[MAX_FIELD + 1];
  u32 count;
};

static u32 TypedNumber(const FieldText& field) {
  u32 value = 0;
  for (u32 i = 0; i < field.count; i++) {
    char16_t c = field.typed[i];
    value = value * 16 + (u32)(c <= u'9' ? c - u'0' : c - u'A' + 10);
  }
  return value;
}

static void ShownText(const FieldText& field, u32 length, u32 value, u32 mode, char16_t* text) {
  if (mode == 0) {
    HexToText(field.count ? TypedNumber(field) : value, text, length);
    return;
  }
  for (u32 i = 0; i < length; i++) {
    u32 byte = (value >> (8 * (length - 1 - i))) & 0xFF;
    char16_t original = byte >= 0x20 && byte != 0x7F ? (char16_t)byte : u'.';
    text[i] = field.count ? (i < field.count ? field.typed[i] : u' ') : original;
  }
  text[length] = 0;
}

static void DrawField(i32 x, i32 y, const char16_t* text, u32 attribute) {
  ScreenAttr = attribute;
  ScrGotoXY(x, y);
  ScrPutString(text);
}

static bool EndsEdit(u32 key) {
  return IsArrowKey(key) || key == KEY_ENTER || key == KEY_ESC;
}

// Adds a typed key to the field; a full field chirps instead.
static void TypeKey(FieldText* field, u32 key, u32 length, u32 mode) {
  if (key & 0xFF00) return;  // keys without a character type nothing
  char16_t c = (char16_t)(key & 0xFF);
  if (mode == 0) {
    if (!IsHexDigit(c)) return;
    if (c >= u'a' && c <= u'f') c = (char16_t)(c - u'a' + u'A');
  } else if (c < 0x20 || c == 0x7F) {
    return;
  }
  if (field->count >= length) {
    Chirp(100, 120);
    return;
  }
  field->typed[field->count++] = c;
}

u32 EditField(i32 x, i32 y, u32 length, u32* value, u32 firstKey, u32 mode) {
  if (length > MAX_FIELD) length = MAX_FIELD;
  ScrPushState();
  u32 savedAttribute = ScreenAttr;
  FieldText field = {{0}, 0};
  char16_t text[MAX_FIELD + 1];
  u32 endKey = 0, passes = 0;
  bool phase = false;
  for (;;) {
    u32 key = KEY_NONE;
    if (firstKey) {
      key = firstKey;
      firstKey = 0;
    } else if (KeyAvailable()) {
      u32 handled;
      key = DispatchKey(0, &handled);
    }
    if (EndsEdit(key)) {
      endKey = key;
      if (key == KEY_ESC) field.count = 0;  // cancelled: the value stays as it was
      break;
    }
    bool gotKey = key != KEY_NONE && key != 0;
    if (key == KEY_BACKSPACE) {
      if (field.count) field.count--;
    } else if (gotKey) {
      TypeKey(&field, key, length, mode);
    }
    if (gotKey || passes % 100 == 0) {
      phase = !phase;
      ShownText(field, length, *value, mode, text);
      DrawField(x, y, text, ColorSet[phase ? 7 : 8]);
    }
    passes++;
    RepaintValues(0);
  }
  ScrPopState();
  ShownText(field, length, *value, mode, text);
  DrawField(x, y, text, savedAttribute);
  ScreenAttr = savedAttribute;
  if (field.count) {
    if (mode == 0) {
      *value = TypedNumber(field);
    } else {
      u32 result = 0;
      for (u32 i = 0; i < field.count; i++) result = (result << 8) | (field.typed[i] & 0xFF);
      *value = result;
    }
  }
  return endKey;
}
