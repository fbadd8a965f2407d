#include "app/memory_size.h"

#include <cmath>

#include <boost/lexical_cast.hpp>

std::optional<std::int64_t> MemoryBytesFromText(std::string_view text, double unit_bytes) {
  double units = 0;
  if (!boost::conversion::try_lexical_convert(text.data(), text.size(), units)) return std::nullopt;
  const double bytes = units * unit_bytes;
  // 2^63 is the first value that no longer fits; NaN fails every comparison.
  if (!(bytes >= 0 && bytes < 9223372036854775808.0)) return std::nullopt;
  return static_cast<std::int64_t>(bytes);
}
