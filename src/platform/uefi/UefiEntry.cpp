// The application entry glue: keeps the image handle and the firmware tables, then runs ZO.
#include "platform/uefi/UefiServices.h"
#include "app/Startup.h"

EFI_HANDLE gImageHandle;
EFI_SYSTEM_TABLE* gST;
EFI_BOOT_SERVICES* gBS;
EFI_RUNTIME_SERVICES* gRT;

extern "C" EFI_STATUS EFIAPI EfiMain(EFI_HANDLE imageHandle, EFI_SYSTEM_TABLE* systemTable) {
  gImageHandle = imageHandle;
  gST = systemTable;
  gBS = systemTable->BootServices;
  gRT = systemTable->RuntimeServices;
  return (EFI_STATUS)AppStartup(imageHandle, systemTable);
}
