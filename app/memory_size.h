#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

inline constexpr double kBytesPerMebibyte = 1048576.0;
inline constexpr double kBytesPerGibibyte = 1073741824.0;

// Converts a memory size written as a decimal number of `unit_bytes` units
// into whole bytes (truncated). The whole text must be a number; sizes that
// are negative, not finite or beyond a signed 64-bit byte count give nothing.
std::optional<std::int64_t> MemoryBytesFromText(std::string_view text, double unit_bytes);
