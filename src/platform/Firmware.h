// The backend boundary: the few firmware and CPU services the platform layer is built on.
// Two backends implement it: platform/uefi (the EFI images) and platform/sim (the
// simulated machine of the host tests). Nothing outside src/platform calls these.
#pragma once
#include "base/Types.h"

// Raw key stroke as the firmware's extended text input delivers it.
struct FwKeyStroke {
  u16 scanCode;
  char16_t character;
  u32 shiftState;  // bit 31: state valid; bits 0-1 Shift, 2-3 Ctrl, 4-5 Alt
};

struct FwTime {
  u8 hour, minute, second;
};

// Start and stop. FwInit returns 0, 1 (no extended console input) or 2 (no console output).
int FwInit();
void FwShutdown();  // timer closed, graphics mode restored, console cleared
[[noreturn]] void FwExit();

// Console output (firmware positions are 0-based here).
void FwConOutput(const char16_t* text);
void FwConSetAttribute(u8 attribute);
u8 FwConAttribute();
void FwConSetCursor(u32 column, u32 row);
u32 FwConCursorColumn();
u32 FwConCursorRow();
void FwConEnableCursor(bool visible);

// Keyboard.
bool FwKeyWaiting();
void FwReadKey(FwKeyStroke* key);  // reads one queued stroke; the record is left alone on failure

// Time.
void FwStall(u32 microseconds);
bool FwGetTime(FwTime* time);  // false when the clock cannot be read
extern volatile u32 gFwTickCount;  // incremented by the periodic tick every 5.4945 ms

// Ports, memory, CPU.
u8 FwPortIn8(u16 port);
u16 FwPortIn16(u16 port);
u32 FwPortIn32(u16 port);
void FwPortOut8(u16 port, u8 value);
void FwPortOut16(u16 port, u16 value);
void FwPortOut32(u16 port, u32 value);
u32 FwMemRead(u32 address, u32 width);  // width 1, 2 or 4
void FwMemWrite(u32 address, u32 value, u32 width);
bool FwMsrRead(u32 index, u64* value);  // false when the access faulted
bool FwMsrWrite(u32 index, u64 value);  // false when the access faulted
void FwCpuid(u32 leaf, u32 out[4]);     // EAX, EBX, ECX, EDX

// Memory. FwAllocLow returns memory below 4 GB (for buffers addressed by a 32-bit
// physical address or handed to a device); FwFreeLow releases it.
void* FwAlloc(usize size);
void FwFree(void* buffer);
void* FwAllocLow(usize size);
void FwFreeLow(void* buffer, usize size);

// Firmware configuration table: the entry whose GUID matches, or null.
struct FwGuid {
  u32 data1;
  u16 data2, data3;
  u8 data4[8];
};
void* FwFindConfigTable(const FwGuid& guid);

// Shell arguments of the loaded image (argument 0 is the program). Count 0 when none.
int FwArguments(char16_t*** argv);

// Files on the boot volume. Handles are opaque; null on failure.
struct FwFile;
enum FwOpenMode { FW_OPEN_READ, FW_OPEN_CREATE, FW_OPEN_EXISTING_RW };
FwFile* FwFileOpen(const char16_t* path, FwOpenMode mode);
bool FwFileRead(FwFile* file, void* buffer, usize* size);  // size in: wanted, out: read
void FwFileWrite(FwFile* file, const void* buffer, usize size);
bool FwFileSetPosition(FwFile* file, u64 position);
bool FwFileSize(FwFile* file, u64* size);
int FwFileClose(FwFile* file);
