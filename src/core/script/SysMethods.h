#pragma once

#include "script/KorvanaCodeMaker.h"

namespace zidezo {

// Registers the 16 built-in functions, in their fixed order (their scopes are 10011001..10011016).
void RegisterSysMethods(TKorvanaCodeMaker& maker);

}  // namespace zidezo
