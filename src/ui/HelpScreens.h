// The fixed screens that tell the user what ZO is and how to drive it.
#pragma once
#include "base/Types.h"

extern const char16_t* const HelpText[];   // null-terminated; the first entry is the title
extern const char16_t* const AboutLines[];  // null-terminated; the first entry is the title
extern const char16_t VersionText[];

void ShowSplash();  // the splash screen of start-up, for 0.45 s
void AboutBox();    // the about box until a key is pressed; the key does nothing else
void ShowHelp();
void HelpViewer(const char16_t* const* lines);  // scrolls `lines` until Esc
void PrintUsage();  // the command-line usage, on the console
