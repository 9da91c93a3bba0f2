// SMBIOS structure table.
#pragma once
#include "base/Types.h"

extern u32 SmbiosStructAddress;  // physical address of the current structure
