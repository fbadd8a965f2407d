// Device-list lines against their pattern: which lines give a result, with
// which identifier, processor, memory and graphics adapter.
#include "app/batch_rating.h"
#include "fuzz_input.h"
#include "support/reference_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  if (line.find('\n') != std::string::npos) return 0;  // the reader splits lines at line feeds
  const auto ours = MatchDeviceLine(line);
  const auto defined = ReferenceMatchDeviceLine(line);
  if (ours.has_value() != defined.has_value()) {
    FuzzFailure(std::string("the line ") + (ours ? "matches" : "does not match") + ", which the pattern says otherwise");
  }
  if (ours && (ours->id != defined->id || ours->processor != defined->processor ||
               ours->memory_mib != defined->memory_mib || ours->graphics != defined->graphics)) {
    FuzzFailure("the columns differ from the pattern's groups");
  }
  return 0;
}
