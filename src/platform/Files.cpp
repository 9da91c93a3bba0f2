#include "platform/Files.h"
#include "platform/Firmware.h"
#include "base/String.h"

File* FileOpen(const char16_t* name, const char* mode) {
  FwOpenMode openMode = FW_OPEN_READ;
  if (mode[0] == 'w') openMode = FW_OPEN_CREATE;
  if (mode[0] == 'a') openMode = FW_OPEN_EXISTING_RW;
  File* file = FwFileOpen(name, openMode);
  if (file && mode[0] == 'a') {
    u64 size;
    if (FwFileSize(file, &size)) FwFileSetPosition(file, size);
  }
  return file;
}

usize FileRead(void* buffer, usize size, usize count, File* file) {
  if (size == 0) return 0;
  usize bytes = size * count;
  if (!FwFileRead(file, buffer, &bytes)) return 0;
  return bytes / size;
}

int FileWrite(const void* buffer, usize size, usize count, File* file) {
  FwFileWrite(file, buffer, size * count);
  return 0;
}

int FileSeek(File* file, u64 position) { return FwFileSetPosition(file, position) ? 0 : 1; }
int FileClose(File* file) { return FwFileClose(file); }

int FilePutText(const char16_t* text, File* file) {
  char line[256];
  while (*text) {
    usize n = 0;
    while (text[n] && n < sizeof(line)) {
      line[n] = (char)text[n];
      n++;
    }
    FwFileWrite(file, line, n);
    text += n;
  }
  return 0;
}

int FilePutByte(u32 ch, File* file) {
  char byte = (char)ch;
  FwFileWrite(file, &byte, 1);
  return 0;
}

int FileWriteFormatted(File* file, const char16_t* format, const FormatArg* args, usize count) {
  char16_t text[500];
  FormatArgs(text, ARRAY_COUNT(text), format, args, count);
  return FilePutText(text, file);
}
