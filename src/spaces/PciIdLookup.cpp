// The lookup of vendor and device names in the name database. The text may come from
// elsewhere than the build, so every step stays inside the text and inside one line.
#include "base/String.h"
#include "spaces/PciIds.h"

static const char16_t LF = u'\n';
static const u32 ID_DIGITS = 4;

struct Cursor {
  const char16_t* text;
  usize pos;
  usize length;
};

static bool AtLineEnd(const Cursor& c) { return c.pos >= c.length || c.text[c.pos] == LF; }

static void SkipToNextLine(Cursor& c) {
  while (!AtLineEnd(c)) c.pos++;
  if (c.pos < c.length) c.pos++;
}

static i32 HexValue(char16_t ch) {
  if (ch >= u'0' && ch <= u'9') return ch - u'0';
  if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
  if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
  return -1;
}

// The four hex digits at the cursor, or -1 when the line holds fewer; advances past them.
static i32 ReadId(Cursor& c) {
  i32 value = 0;
  for (u32 i = 0; i < ID_DIGITS; i++) {
    i32 digit = AtLineEnd(c) ? -1 : HexValue(c.text[c.pos]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
    c.pos++;
  }
  return value;
}

static bool IsId(i32 id, u32 wanted) { return id >= 0 && (u32)id == wanted; }

// A vendor line has "=" as its fifth character.
static bool IsVendorLine(const Cursor& c) {
  for (usize i = c.pos; i < c.pos + ID_DIGITS; i++)
    if (i >= c.length || c.text[i] == LF) return false;
  return c.pos + ID_DIGITS < c.length && c.text[c.pos + ID_DIGITS] == u'=';
}

// Copies the rest of the line, cut to the buffer, and steps to the next line.
static void CopyRestOfLine(Cursor& c, char16_t* target) {
  u32 count = 0;
  while (!AtLineEnd(c)) {
    if (count + 1 < PCI_ID_NAME_CHARS) target[count++] = c.text[c.pos];
    c.pos++;
  }
  target[count] = 0;
  SkipToNextLine(c);
}

static bool FindVendor(Cursor& c, u32 vendorId) {
  while (c.pos < c.length) {
    if (c.text[c.pos] == LF) {
      c.pos++;
      continue;
    }
    if (IsVendorLine(c)) {
      usize lineStart = c.pos;
      i32 id = ReadId(c);
      c.pos = lineStart + ID_DIGITS + 1;
      if (IsId(id, vendorId)) return true;
    }
    SkipToNextLine(c);
  }
  return false;
}

// True when the device line at the cursor lists `deviceId`; the cursor is then past the
// ":" that starts the name. A line without ":" names nothing.
static bool DeviceLineMatches(Cursor& c, u32 deviceId) {
  bool match = IsId(ReadId(c), deviceId);
  while (!match && !AtLineEnd(c) && c.text[c.pos] == u'+') {
    c.pos++;
    match = IsId(ReadId(c), deviceId);
  }
  if (!match) return false;
  while (!AtLineEnd(c) && c.text[c.pos] != u':') c.pos++;
  if (AtLineEnd(c)) return false;
  c.pos++;
  return true;
}

// Device lines until the block ends: at an empty line, at another vendor's line (a block
// whose empty line is missing) or at the end of the text.
static void FindDevice(Cursor& c, u32 deviceId, char16_t* deviceName) {
  while (!AtLineEnd(c) && !IsVendorLine(c)) {
    if (DeviceLineMatches(c, deviceId)) {
      CopyRestOfLine(c, deviceName);
      return;
    }
    SkipToNextLine(c);
  }
}

u32 PciIdLookup(const char16_t* text, u32 vendorId, u32 deviceId, char16_t* vendorName, char16_t* deviceName) {
  vendorName[0] = 0;
  deviceName[0] = 0;
  Cursor c = {text, 0, StrLen16(text)};
  if (!FindVendor(c, vendorId)) return 1;
  CopyRestOfLine(c, vendorName);
  FindDevice(c, deviceId, deviceName);
  return 0;
}
