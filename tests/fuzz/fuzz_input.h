#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads a fuzzer's input piece by piece: bytes as numbers, and texts cut at
// a separator byte, so that one input can carry several arguments.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return rest_.empty(); }
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_[0]);
    rest_.remove_prefix(1);
    return byte;
  }
  // The text up to the next `separator` (which is consumed), or the rest.
  std::string Text(char separator = '\x01') {
    const std::size_t end = rest_.find(separator);
    std::string text(rest_.substr(0, end));
    rest_ = end == std::string_view::npos ? std::string_view() : rest_.substr(end + 1);
    return text;
  }
  std::string Rest() {
    std::string text(rest_);
    rest_ = {};
    return text;
  }

 private:
  std::string_view rest_;
};

// Stops the run with a message: the fuzzer keeps the input that did it.
[[noreturn]] void FuzzFailure(const std::string& what);
