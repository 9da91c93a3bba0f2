// Names of the index/data register sets.
#include "spaces/IsaIo.h"

static const char16_t* const ISA_SET_NAMES[] = {u"CMOS", u"Cyrix CPU (586 class)"};

const char16_t* IsaSetName(i32 set) {
  if (set < 0 || set >= (i32)ARRAY_COUNT(ISA_SET_NAMES)) return nullptr;
  return ISA_SET_NAMES[set];
}
