#pragma once

#include <charconv>
#include <cstdint>
#include <string>

// Writes `value` in decimal into `out`, reusing its storage.
inline void AssignDecimal(std::string& out, std::int64_t value) {
  char digits[20];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.assign(digits, result.ptr);
}

// Appends `value` in decimal to `out`.
inline void AppendDecimal(std::string& out, std::int64_t value) {
  char digits[20];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}
