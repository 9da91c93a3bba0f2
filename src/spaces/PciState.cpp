#include "spaces/Pci.h"

u32 AmdExtendedConfigAvailable;
u32 PciDeviceCount;
