// The script backend's step reader on arbitrary files: steps or an error
// naming the file and line, never a crash.
#include "fuzz_input.h"
#include "velumfab/script/script_steps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const VelumFab::ScriptReading reading =
      VelumFab::ReadScript(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt");
  if (!reading.error.empty() && (reading.error.rfind("fuzz.txt:", 0) != 0 || !reading.steps.empty())) {
    FuzzFailure("an unreadable script gives steps, or an error that does not name it: " + reading.error);
  }
  return 0;
}
