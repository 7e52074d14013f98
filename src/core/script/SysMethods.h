#pragma once

#include "script/KorvanaCodeMaker.h"

namespace zidezo {

// The built-ins compiled once, for copying into every program.
class TSysMethodTemplate : public TKorvanaCodeMaker {
 public:
  void Build();
  void AppendTo(TKorvanaCodeMaker& maker) const;
};

// Registers the 16 built-in functions, in their fixed order (their scopes are 10011001..10011016).
void RegisterSysMethods(TKorvanaCodeMaker& maker);

}  // namespace zidezo
