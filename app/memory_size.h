#pragma once

#include <cstdint>
#include <string_view>

inline constexpr double kBytesPerMebibyte = 1048576.0;
inline constexpr double kBytesPerGibibyte = 1073741824.0;

// A memory size read from text: the bytes, or why there are none.
struct MemorySize {
  enum class Fault { kNone, kNotANumber, kOutOfRange };
  Fault fault = Fault::kNone;
  std::int64_t bytes = 0;
  explicit operator bool() const { return fault == Fault::kNone; }
};

// Converts a memory size written as a decimal number of `unit_bytes` units
// into whole bytes (truncated). The whole text must be a number (one too
// small for a double is 0, as a strict lexical conversion reads it); sizes
// that are negative, infinite or beyond a signed 64-bit byte count are out
// of range.
MemorySize MemoryBytesFromText(std::string_view text, double unit_bytes);
