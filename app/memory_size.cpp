#include "app/memory_size.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// from_chars refuses a number beyond a double's range either way; a strict
// lexical conversion reads one too small as 0 and one too large as infinite.
double BeyondDoubleRange(std::string_view text) {
  const std::string copy(text);
  return std::strtod(copy.c_str(), nullptr) == 0.0 ? 0.0 : HUGE_VAL;
}

}  // namespace

MemorySize MemoryBytesFromText(std::string_view text, double unit_bytes) {
  // A leading "+" is allowed, as in any decimal number; from_chars itself
  // takes only "-".
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  double units = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, units);
  if (text.empty() || stop != end || (error != std::errc() && error != std::errc::result_out_of_range) ||
      units != units) {
    return {MemorySize::Fault::kNotANumber};
  }
  if (error == std::errc::result_out_of_range) units = BeyondDoubleRange(text);
  const double bytes = units * unit_bytes;
  // 2^63 is the first value that no longer fits.
  if (!(bytes >= 0 && bytes < 9223372036854775808.0)) return {MemorySize::Fault::kOutOfRange};
  return {MemorySize::Fault::kNone, static_cast<std::int64_t>(bytes)};
}
