#include "spaces/Ide.h"

u8* IdeIdentifyBuffer;
