// The pull-down menus of the menu bar (constant data), in menu-bar order.
#include "platform/Keyboard.h"
#include "ui/MenuBar.h"

const PullDownRecord PullDownMenus[] = {
    {KEY_ALT | 'f', {u"Load    <F3", u"Save    <F2", u"Compare <F8", u"-", u"About", nullptr}},
    {KEY_ALT | 'c',
     {u"PCI             <Alt 1", u"ISA             <Alt 2", u"ISA IO          <Alt 3", u"IO Space        <Alt 4",
      u"IDE Identify    <Alt 5", u"ACPI            <Alt 6", u"Memory (Flat)   <Alt 7", u"CPU MSR         <Alt 8",
      u"SMBIOS data     <Alt 9", u"SMBus           <Alt 0", u"ATi PCI Space   <Alt -", u"UEFI variable   <Alt =",
      u"-", u"AHCI MMIO      <Alt F5", u"USB MMIO       <Alt F6", nullptr}},
    {KEY_ALT | 'g',
     {u"Next        <Ctrl-Right", u"Previous     <Ctrl-Left", u"Clear all history      ",
      u"Mem/IO space    <Ctrl-G", nullptr}},
    {KEY_ALT | 't',
     {u"List PCI devices   <F6", u"Toggle 8/16/32 bit <F7", u"Toggle ASCII/Info  <F4", u"System Info    <Ctrl-I",
      u"Help               <F1", nullptr}},
    {KEY_ALT | 's',
     {u"Change Color             <Ctrl-L", u"Toggle Sound             <Ctrl-S", u"Reboot INT19",
      u"Turn Off system    <Alt-Ctrl-END", nullptr}},
    {0, {nullptr}},
};
