// UEFI definitions for the UEFI backend only: nothing outside src/platform/uefi includes this.
#pragma once
extern "C" {
#include <efi.h>
#include <efidebug.h>
}

extern EFI_HANDLE gImageHandle;
extern EFI_SYSTEM_TABLE* gST;
extern EFI_BOOT_SERVICES* gBS;
extern EFI_RUNTIME_SERVICES* gRT;

// CPU architectural protocol of the platform initialization specification (the part
// needed to register an exception handler); the gnu-efi headers do not carry it.
#define ZO_CPU_ARCH_PROTOCOL_GUID \
  { 0x26baccb1, 0x6f42, 0x11d4, { 0xbc, 0xe7, 0x00, 0x80, 0xc7, 0x3c, 0x88, 0x81 } }

typedef VOID(EFIAPI* ZO_CPU_INTERRUPT_HANDLER)(INTN exceptionType, EFI_SYSTEM_CONTEXT context);

struct ZoCpuArchProtocol {
  VOID* FlushDataCache;
  VOID* EnableInterrupt;
  VOID* DisableInterrupt;
  VOID* GetInterruptState;
  VOID* Init;
  EFI_STATUS(EFIAPI* RegisterInterruptHandler)(ZoCpuArchProtocol* self, INTN interruptType,
                                               ZO_CPU_INTERRUPT_HANDLER handler);
  VOID* GetTimerValue;
  VOID* SetMemoryAttributes;
  UINT32 NumberOfTimers;
  UINT32 DmaBufferAlignment;
};

// Set up and torn down by the CPU part of the backend.
void UefiInstallFaultHandler();
void UefiRemoveFaultHandler();
