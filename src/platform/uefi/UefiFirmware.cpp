// UEFI backend: start and stop, console, keyboard, time, memory, configuration tables,
// the image's shell arguments.
#include "platform/uefi/UefiServices.h"
#include "platform/Firmware.h"
#include "base/Memory.h"

volatile u32 gFwTickCount;

static EFI_SIMPLE_TEXT_INPUT_EX_PROTOCOL* sKeyboard;
static SIMPLE_TEXT_OUTPUT_INTERFACE* sConsole;
static EFI_GRAPHICS_OUTPUT_PROTOCOL* sGraphics;
static u32 sGraphicsMode = 0xFFFFFFFF;
static EFI_EVENT sTickEvent;

static VOID EFIAPI TickNotify(EFI_EVENT, VOID*) { gFwTickCount = gFwTickCount + 1; }

int FwInit() {
  EFI_GUID inputExGuid = EFI_SIMPLE_TEXT_INPUT_EX_PROTOCOL_GUID;
  EFI_GUID outputGuid = EFI_SIMPLE_TEXT_OUTPUT_PROTOCOL_GUID;
  EFI_GUID graphicsGuid = EFI_GRAPHICS_OUTPUT_PROTOCOL_GUID;
  if (EFI_ERROR(gBS->HandleProtocol(gST->ConsoleInHandle, &inputExGuid, (VOID**)&sKeyboard)))
    return 1;
  if (EFI_ERROR(gBS->HandleProtocol(gST->ConsoleOutHandle, &outputGuid, (VOID**)&sConsole)))
    return 2;
  if (!EFI_ERROR(gBS->LocateProtocol(&graphicsGuid, nullptr, (VOID**)&sGraphics)) && sGraphics &&
      sGraphics->Mode)
    sGraphicsMode = sGraphics->Mode->Mode;
  if (!EFI_ERROR(gBS->CreateEvent(EVT_TIMER | EVT_NOTIFY_SIGNAL, TPL_CALLBACK, TickNotify, nullptr,
                                  &sTickEvent)))
    gBS->SetTimer(sTickEvent, TimerPeriodic, 54945);
  UefiInstallFaultHandler();
  return 0;
}

// The tick notification and the fault handler are code of this image: neither may stay
// registered once the image has exited.
static void ReleaseImageHooks() {
  if (sTickEvent) {
    gBS->SignalEvent(sTickEvent);
    gBS->CloseEvent(sTickEvent);
    sTickEvent = nullptr;
  }
  UefiRemoveFaultHandler();
}

void FwShutdown() {
  ReleaseImageHooks();
  // Setting a mode blanks the display; only do it when the mode really changed.
  if (sGraphics && sGraphicsMode != 0xFFFFFFFF && sGraphics->Mode &&
      sGraphics->Mode->Mode != sGraphicsMode)
    sGraphics->SetMode(sGraphics, sGraphicsMode);
  if (sConsole) sConsole->ClearScreen(sConsole);
}

void FwExit() {
  ReleaseImageHooks();  // exits that skip the shutdown (the usage text) leave the console as it is
  gBS->Exit(gImageHandle, EFI_SUCCESS, 0, nullptr);
  for (;;) {
  }
}

// Before start-up has found the console protocol, the system table's console is used.
void FwConOutput(const char16_t* text) {
  SIMPLE_TEXT_OUTPUT_INTERFACE* console = sConsole ? sConsole : gST->ConOut;
  console->OutputString(console, (CHAR16*)text);
}
void FwConSetAttribute(u8 attribute) { sConsole->SetAttribute(sConsole, attribute); }
u8 FwConAttribute() { return (u8)sConsole->Mode->Attribute; }
void FwConSetCursor(u32 column, u32 row) { sConsole->SetCursorPosition(sConsole, column, row); }
u32 FwConCursorColumn() { return (u32)sConsole->Mode->CursorColumn; }
u32 FwConCursorRow() { return (u32)sConsole->Mode->CursorRow; }
void FwConEnableCursor(bool visible) { sConsole->EnableCursor(sConsole, visible ? TRUE : FALSE); }

bool FwKeyWaiting() { return gBS->CheckEvent(sKeyboard->WaitForKeyEx) == EFI_SUCCESS; }

void FwReadKey(FwKeyStroke* key) {
  EFI_KEY_DATA data;
  if (EFI_ERROR(sKeyboard->ReadKeyStrokeEx(sKeyboard, &data))) return;
  key->scanCode = data.Key.ScanCode;
  key->character = (char16_t)data.Key.UnicodeChar;
  key->shiftState = data.KeyState.KeyShiftState;
}

void FwStall(u32 microseconds) { gBS->Stall(microseconds); }

bool FwGetTime(FwTime* time) {
  EFI_TIME now;
  if (EFI_ERROR(gRT->GetTime(&now, nullptr))) return false;
  time->hour = now.Hour;
  time->minute = now.Minute;
  time->second = now.Second;
  return true;
}

void* FwAlloc(usize size) {
  VOID* buffer = nullptr;
  if (EFI_ERROR(gBS->AllocatePool(EfiBootServicesData, size, &buffer))) return nullptr;
  return buffer;
}

void FwFree(void* buffer) {
  if (buffer) gBS->FreePool(buffer);
}

static usize PagesFor(usize size) { return (size + 4095) / 4096; }

void* FwAllocLow(usize size) {
  EFI_PHYSICAL_ADDRESS address = 0xFFFFFFFF;
  if (EFI_ERROR(gBS->AllocatePages(AllocateMaxAddress, EfiBootServicesData, PagesFor(size), &address)))
    return nullptr;
  return (void*)(uptr)address;
}

void FwFreeLow(void* buffer, usize size) {
  if (buffer) gBS->FreePages((EFI_PHYSICAL_ADDRESS)(uptr)buffer, PagesFor(size));
}

void* FwFindConfigTable(const FwGuid& guid) {
  for (UINTN i = 0; i < gST->NumberOfTableEntries; i++) {
    EFI_CONFIGURATION_TABLE* entry = &gST->ConfigurationTable[i];
    if (CompareBytes(&entry->VendorGuid, &guid, sizeof(FwGuid)) == 0) return entry->VendorTable;
  }
  return nullptr;
}

// The shell passes the command line as the image's load options. A boot manager may pass
// binary data there instead, so anything that is not plain text counts as no arguments.
static const usize MAX_ARGUMENTS = 16;
static char16_t* sArgumentVector[MAX_ARGUMENTS];
static char16_t sArgumentText[256];

static bool IsArgumentBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int FwArguments(char16_t*** argv) {
  EFI_GUID loadedImageGuid = EFI_LOADED_IMAGE_PROTOCOL_GUID;
  EFI_LOADED_IMAGE* image = nullptr;
  *argv = sArgumentVector;
  if (EFI_ERROR(gBS->HandleProtocol(gImageHandle, &loadedImageGuid, (VOID**)&image)) || !image ||
      !image->LoadOptions || image->LoadOptionsSize < 2 || (image->LoadOptionsSize & 1))
    return 0;
  const char16_t* options = (const char16_t*)image->LoadOptions;
  usize length = image->LoadOptionsSize / 2;
  usize used = 0;
  for (usize i = 0; i < length && options[i] != 0; i++) {
    if ((options[i] < 0x20 && options[i] != u'\t') || used + 1 >= ARRAY_COUNT(sArgumentText))
      return 0;
    sArgumentText[used++] = options[i];
  }
  sArgumentText[used] = 0;
  int count = 0;
  for (usize i = 0; i < used && count < (int)MAX_ARGUMENTS;) {
    while (i < used && IsArgumentBlank(sArgumentText[i])) sArgumentText[i++] = 0;
    if (i >= used) break;
    sArgumentVector[count++] = &sArgumentText[i];
    while (i < used && !IsArgumentBlank(sArgumentText[i])) i++;
  }
  return count;
}
