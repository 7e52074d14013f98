// Arbitrary bytes as an ability program: compile, run with a step limit. No input may crash,
// hang or leak; errors are ScriptError and nothing else.
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/AbilityProgram.h"
#include "script/ScriptError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zidezo::TAbilityProgram program(std::string(reinterpret_cast<const char*>(data), size));
  program.SetStepLimit(100000);
  try {
    program.Compile();
    program.Run();
    (void)program.GetResult();
  } catch (const zidezo::ScriptError&) {
  }
  return 0;
}
