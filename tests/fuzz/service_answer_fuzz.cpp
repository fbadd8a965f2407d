// The report service's answer (status line, headers, the JSON line, \u
// escapes) through the entry point the exchange uses: no crash, no hang,
// every failure a std::exception.
#include "fuzz_input.h"
#include "report/post_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string response(reinterpret_cast<const char*>(data), size);
  try {
    ReportOutcome(response);
  } catch (const std::exception&) {
    // Every outcome other than acceptance is a standard exception.
  }
  return 0;
}
