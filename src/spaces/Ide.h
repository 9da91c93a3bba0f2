// IDE IDENTIFY data of the selected drive.
#pragma once
#include "base/Types.h"

static const u32 IDENTIFY_BYTES = 512;
extern u8* IdeIdentifyBuffer;  // allocated below 4 GB when first used; null before
