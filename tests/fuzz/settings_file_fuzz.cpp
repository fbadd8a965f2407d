// The settings-file reader on arbitrary files, sections and keys: no crash,
// a value no longer than its capacity allows, and time linear in the file.
#include "fuzz_input.h"
#include "platform/profile_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t capacity = input.Byte();
  const std::string section = input.Text(), key = input.Text(), default_value = input.Text();
  const std::string text = input.Rest();
  const std::string value = ProfileStringFromText(text, section.c_str(), key.c_str(), default_value.c_str(), capacity);
  if (capacity > 0 && value.size() > capacity - 1) FuzzFailure("the value is longer than its capacity");
  if (const auto found = FindProfileValue(text, section, key)) {
    if (found->size() > text.size()) FuzzFailure("a value longer than the file");
  }
  return 0;
}
