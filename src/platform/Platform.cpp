#include "platform/Platform.h"
#include "platform/Console.h"
#include "platform/Firmware.h"

int PlatformInit() {
  int status = FwInit();
  if (status == 0) ConsoleInit();
  return status;
}

void PlatformShutdown() { FwShutdown(); }
void ExitImage() { FwExit(); }
int PlatformArguments(char16_t*** argv) { return FwArguments(argv); }
