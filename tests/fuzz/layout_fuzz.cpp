// The UI library's layout reader on arbitrary files: a model or an error
// naming the file, never a crash; a model's controls are consistent.
#include "fuzz_input.h"
#include "velumfab/core/layout_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const VelumFab::LayoutReading reading =
      VelumFab::ReadLayout(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.mox");
  if (!reading.model) {
    if (reading.error.rfind("fuzz.mox:", 0) != 0) FuzzFailure("an error that does not name the file: " + reading.error);
    return 0;
  }
  for (const VelumFab::Control& control : reading.model->Controls()) {
    if (reading.model->IdOf(control.name) != control.id) FuzzFailure("a name that does not find its control");
    if (reading.model->Find(control.frame) == nullptr) FuzzFailure("a control on no frame");
  }
  return 0;
}
