// PCI class-code names: one table per base class 00h-11h, each ending with an entry
// without a name; the last named entry of a table is the fallback of its base class.
#include "spaces/PciNames.h"

static const PciClassName CLASS_00[] = {
    {0x00, 0x00, u"SCSI"},
    {0x01, 0x00, u"VGA"},
    {0xFF, 0x00, u"Unknown"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_01[] = {
    {0x00, 0x00, u"SCSI bus controller"},
    {0x01, 0xFF, u"IDE controller"},
    {0x02, 0x00, u"Floppy disk controller"},
    {0x03, 0x00, u"IPI bus controller"},
    {0x04, 0x00, u"RAID controller"},
    {0x05, 0x20, u"ATA ADMA (single stepping)"},
    {0x05, 0x30, u"ATA ADMA (continuous operation)"},
    {0x06, 0x00, u"SATA controller"},
    {0x06, 0x01, u"AHCI 1.0 controller"},
    {0x07, 0x01, u"SAS (Serial Attached SCSI)"},
    {0x80, 0x00, u"Mass Storage controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_02[] = {
    {0x00, 0x00, u"Ethernet controller"},
    {0x01, 0x00, u"Token Ring controller"},
    {0x02, 0x00, u"FDDI controller"},
    {0x03, 0x00, u"ATM controller"},
    {0x04, 0x00, u"ISDN controller"},
    {0x05, 0x00, u"WorldFip controller"},
    {0x06, 0xFF, u"PCIMG 2.14 Multi Computing"},
    {0x80, 0x00, u"Network"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_03[] = {
    {0x00, 0x00, u"VGA controller"},
    {0x00, 0x01, u"8514-compatible controller"},
    {0x01, 0x00, u"XGA controller"},
    {0x02, 0x00, u"3D controller"},
    {0x80, 0x00, u"Display controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_04[] = {
    {0x00, 0x00, u"Video device"},
    {0x01, 0x00, u"Audio device"},
    {0x02, 0x00, u"Computer telephony device"},
    {0x80, 0x00, u"Multimedia"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_05[] = {
    {0x00, 0x00, u"RAM"},
    {0x01, 0x00, u"Flash"},
    {0x80, 0x00, u"Memory controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_06[] = {
    {0x00, 0x00, u"Host bridge"},
    {0x01, 0x00, u"ISA bridge"},
    {0x02, 0x00, u"EISA bridge"},
    {0x03, 0x00, u"MCA bridge"},
    {0x04, 0x00, u"PCI-to-PCI bridge"},
    {0x04, 0x01, u"Subtractive Decode PCI-to-PCI bridge"},
    {0x05, 0x00, u"PCMCIA bridge"},
    {0x06, 0x00, u"NuBus bridge"},
    {0x07, 0x00, u"CardBus bridge"},
    {0x08, 0xFF, u"RACEway bridge"},
    {0x09, 0x40, u"Semi-transparent PCI-to-PCI bridge (primary)"},
    {0x09, 0x80, u"Semi-transparent PCI-to-PCI bridge (secondary)"},
    {0x0A, 0x00, u"InfiniBand-to-PCI host bridge"},
    {0x80, 0x00, u"Bridge"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_07[] = {
    {0x00, 0x00, u"Generic XT-compatible serial controller"},
    {0x00, 0x01, u"16450-compatible serial controller"},
    {0x00, 0x02, u"16550-compatible serial controller"},
    {0x00, 0x03, u"16650-compatible serial controller"},
    {0x00, 0x04, u"16750-compatible serial controller"},
    {0x00, 0x05, u"16850-compatible serial controller"},
    {0x00, 0x06, u"16950-compatible serial controller"},
    {0x01, 0x00, u"Parallel Port"},
    {0x01, 0x01, u"Bi-directional parallel port"},
    {0x01, 0x02, u"ECP 1.X compliant parallel port"},
    {0x01, 0x03, u"IEEE1284 controller"},
    {0x01, 0xFE, u"IEEE1284 target device"},
    {0x02, 0x00, u"Multiport serial controller"},
    {0x03, 0x00, u"Generic modem"},
    {0x03, 0x01, u"Hayes compatible modem (16450)"},
    {0x03, 0x02, u"Hayes compatible modem (16550)"},
    {0x03, 0x03, u"Hayes compatible modem (16650)"},
    {0x03, 0x04, u"Hayes compatible modem (16750)"},
    {0x04, 0x00, u"GPIB (IEEE 488.1/2) controller"},
    {0x05, 0x00, u"Smart Card"},
    {0x80, 0x00, u"Communication Device"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_08[] = {
    {0x00, 0x00, u"Generic 8259 PIC"},
    {0x00, 0x01, u"ISA PIC"},
    {0x00, 0x02, u"EISA PIC"},
    {0x00, 0x10, u"I/O APIC interrupt controller"},
    {0x00, 0x20, u"I/O(x) APIC interrupt controller"},
    {0x01, 0x00, u"Generic 8237 DMA controller"},
    {0x01, 0x01, u"ISA DMA controller"},
    {0x01, 0x02, u"EISA DMA controller"},
    {0x02, 0x00, u"Generic 8254 system timer"},
    {0x02, 0x01, u"ISA system timer"},
    {0x02, 0x02, u"EISA system timers"},
    {0x03, 0x00, u"Generic RTC controller"},
    {0x03, 0x01, u"ISA RTC controller"},
    {0x04, 0x00, u"Generic PCI Hot-Plug controller"},
    {0x05, 0x00, u"SD Host controller"},
    {0x80, 0x00, u"System Device"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_09[] = {
    {0x00, 0x00, u"Keyboard controller"},
    {0x01, 0x00, u"Digitizer (pen)"},
    {0x02, 0x00, u"Mouse controller"},
    {0x03, 0x00, u"Scanner controller"},
    {0x04, 0x00, u"Gameport controller (generic)"},
    {0x04, 0x10, u"Gameport controller"},
    {0x80, 0x00, u"Input controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0A[] = {
    {0x00, 0x00, u"Generic docking station"},
    {0x00, 0x00, u"Docking station"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0B[] = {
    {0x00, 0x00, u"386 CPU"},
    {0x01, 0x00, u"486 CPU"},
    {0x02, 0x00, u"Pentium CPU"},
    {0x10, 0x00, u"Alpha CPU"},
    {0x20, 0x00, u"PowerPC CPU"},
    {0x30, 0x00, u"MIPS CPU"},
    {0x40, 0x00, u"Co-processor"},
    {0x80, 0x00, u"CPU"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0C[] = {
    {0x00, 0x00, u"IEEE 1394 (FireWire)"},
    {0x00, 0x01, u"IEEE 1394 OpenHCI"},
    {0x01, 0x00, u"ACCESS.Bus"},
    {0x02, 0x00, u"SSA"},
    {0x03, 0x00, u"USB UHCI"},
    {0x03, 0x10, u"USB OHCI"},
    {0x03, 0x20, u"USB2 EHCI"},
    {0x03, 0x80, u"USB"},
    {0x03, 0xFE, u"USB device"},
    {0x04, 0x00, u"Fibre Channel"},
    {0x05, 0x00, u"SMBUS"},
    {0x06, 0x00, u"InfiniBand"},
    {0x07, 0x00, u"IPMI SMIC Interface"},
    {0x07, 0x01, u"IPMI Kybd Controller Style Interface"},
    {0x07, 0x02, u"IPMI Block Transfer Interface"},
    {0x08, 0x00, u"SERCOS Interface Standard (IEC 61491)"},
    {0x09, 0x00, u"CANbus"},
    {0x80, 0x00, u"Serial Bus Controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0D[] = {
    {0x00, 0x00, u"iRDA compatible controller"},
    {0x01, 0x00, u"Consumer IR controller"},
    {0x10, 0x00, u"RF controller"},
    {0x11, 0x00, u"Bluetooth"},
    {0x12, 0x00, u"Broadband"},
    {0x20, 0x00, u"Ethernet (802.11a - 5 GHz)"},
    {0x21, 0x00, u"Ethernet (802.11b - 2.4 GHz)"},
    {0x80, 0x00, u"Wireless controller"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0E[] = {
    {0x00, 0xFF, u"Intelligent I/O (I2O)"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_0F[] = {
    {0x01, 0x00, u"TV"},
    {0x02, 0x00, u"Audio"},
    {0x03, 0x00, u"Voice"},
    {0x04, 0x00, u"Data"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_10[] = {
    {0x01, 0x00, u"Network and computing en/decryption"},
    {0x10, 0x00, u"Entertainment en/decryption"},
    {0x80, 0x00, u"en/decryption"},
    {0, 0, nullptr},
};
static const PciClassName CLASS_11[] = {
    {0x00, 0x00, u"DPIO modules"},
    {0x01, 0x00, u"Performance counters"},
    {0x10, 0x00, u"Communications synchronization"},
    {0x20, 0x00, u"Management card"},
    {0x80, 0x00, u"Data acquisition/signal processing controllers"},
    {0, 0, nullptr},
};

const PciClassName* const PciClassNameTable[PCI_CLASS_TABLES] = {
    CLASS_00, CLASS_01, CLASS_02, CLASS_03, CLASS_04, CLASS_05,
    CLASS_06, CLASS_07, CLASS_08, CLASS_09, CLASS_0A, CLASS_0B,
    CLASS_0C, CLASS_0D, CLASS_0E, CLASS_0F, CLASS_10, CLASS_11,
};
