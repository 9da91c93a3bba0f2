#include "view/Explanation.h"

u32 FieldMarkStart;
u32 FieldMarkEnd;
u32 ExplanationAnchor;
i32 ExplanationOverride = -1;
