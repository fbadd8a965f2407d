#include "app/memory_size.h"

#include <charconv>

std::optional<std::int64_t> MemoryBytesFromText(std::string_view text, double unit_bytes) {
  // A leading "+" is allowed, as in any decimal number; from_chars itself
  // takes only "-".
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  double units = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, units);
  if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
  const double bytes = units * unit_bytes;
  // 2^63 is the first value that no longer fits; NaN fails every comparison.
  if (!(bytes >= 0 && bytes < 9223372036854775808.0)) return std::nullopt;
  return static_cast<std::int64_t>(bytes);
}
