// The usage text printed for the option that asks for it.
#include "platform/Console.h"
#include "ui/HelpScreens.h"

// Each line ends in a carriage return too: the firmware console's line feed only moves
// down, and the text would otherwise step to the right line by line.
void PrintUsage() {
  ConPrintf(u"\r\n");
  ConPrintf(u"+--------+\r\n");
  ConPrintf(u"| ZO.EXE | Register viewer and editor, by the ZO firmware tools team\r\n");
  ConPrintf(u"+--------+\r\n");
  ConPrintf(u"ZO.EXE [/L RegFile]\r\n");
  ConPrintf(u"/L - Load RegFile saved by ZO\r\n");
  ConPrintf(u"/A - Force not to use KBC command for legacy free system\r\n");
  ConPrintf(u"/X - Turn off power (ACPI S5)\r\n");
}
