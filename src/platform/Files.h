// Files on the boot volume: 8-bit text in, UCS-2 text out of the program.
#pragma once
#include "base/Format.h"

struct FwFile;
typedef FwFile File;

// Mode "r" reads; "w" reads and writes, creating the file; "a" opens an existing file at its end.
File* FileOpen(const char16_t* name, const char* mode);
usize FileRead(void* buffer, usize size, usize count, File* file);  // whole items read, 0 on error
int FileWrite(const void* buffer, usize size, usize count, File* file);
int FileSeek(File* file, u64 position);  // 0 done, 1 error
int FileClose(File* file);
int FilePutText(const char16_t* text, File* file);
int FilePutByte(u32 ch, File* file);
int FileWriteFormatted(File* file, const char16_t* format, const FormatArg* args, usize count);

template <typename... Args>
int FilePrintf(File* file, const char16_t* format, Args... args) {
  FormatArg list[sizeof...(Args) + 1] = {MakeFormatArg(args)...};
  return FileWriteFormatted(file, format, list, sizeof...(Args));
}
