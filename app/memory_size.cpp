#include "app/memory_size.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// from_chars refuses a number beyond a double's range either way; a strict
// lexical conversion reads one too small as 0 and one too large as infinite.
double BeyondDoubleRange(std::string_view text) {
  const std::string copy(text);
  return std::strtod(copy.c_str(), nullptr) == 0.0 ? 0.0 : HUGE_VAL;
}

MemorySize BytesOf(double bytes) {
  // 2^63 is the first value that no longer fits.
  if (!(bytes >= 0 && bytes < 9223372036854775808.0)) return {MemorySize::Fault::kOutOfRange};
  return {MemorySize::Fault::kNone, static_cast<std::int64_t>(bytes)};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Up to 15 digits with, optionally, a fraction of zeros ("8192.00"): a whole
// number that a double holds exactly, read without a conversion.
bool ReadWholeNumber(std::string_view text, double& units) {
  std::size_t digits = 0;
  std::uint64_t value = 0;
  while (digits < text.size() && IsDigit(text[digits])) value = value * 10 + (text[digits++] - '0');
  if (digits == 0 || digits > 15) return false;
  if (digits < text.size()) {
    if (text[digits] != '.' || digits + 1 == text.size()) return false;
    for (std::size_t i = digits + 1; i < text.size(); ++i) {
      if (text[i] != '0') return false;
    }
  }
  units = static_cast<double>(value);
  return true;
}

}  // namespace

MemorySize MemoryBytesFromText(std::string_view text, double unit_bytes) {
  // A leading "+" is allowed, as in any decimal number; from_chars itself
  // takes only "-".
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  double units = 0;
  if (ReadWholeNumber(text, units)) return BytesOf(units * unit_bytes);
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, units);
  if (text.empty() || stop != end || (error != std::errc() && error != std::errc::result_out_of_range) ||
      units != units) {
    return {MemorySize::Fault::kNotANumber};
  }
  if (error == std::errc::result_out_of_range) units = BeyondDoubleRange(text);
  return BytesOf(units * unit_bytes);
}
