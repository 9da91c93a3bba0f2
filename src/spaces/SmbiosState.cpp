#include "spaces/Smbios.h"

u32 SmbiosStructAddress;
