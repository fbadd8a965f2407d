#include "platform/profile_text.h"

#include <cctype>

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool EqualNames(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string Unquoted(std::string_view value) {
  if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section, std::string_view key) {
  bool in_section = false;
  bool section_seen = false;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    begin = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty()) continue;
    const std::size_t close = line.find(']');
    if (line.front() == '[' && close != std::string_view::npos) {  // "[name]", anything after it ignored
      if (section_seen) return std::nullopt;  // only the first section of that name counts
      in_section = EqualNames(TrimBlanks(line.substr(1, close - 1)), section);
      section_seen = in_section;
      continue;
    }
    if (!in_section) continue;
    const std::size_t equals = line.find('=');
    if (!EqualNames(TrimBlanks(line.substr(0, equals)), key)) continue;
    // A key without "=" has no value: the default stands for it.
    if (equals == std::string_view::npos) return std::nullopt;
    return Unquoted(TrimBlanks(line.substr(equals + 1)));
  }
  return std::nullopt;
}

std::string ProfileStringFromText(std::string_view text, const char* section, const char* key,
                                  const char* default_value, std::size_t capacity) {
  std::optional<std::string> value = FindProfileValue(text, section, key);
  if (!value) {
    value = default_value != nullptr ? default_value : "";
    value->erase(value->find_last_not_of(' ') + 1);
  }
  if (capacity == 0) return {};
  if (value->size() > capacity - 1) value->resize(capacity - 1);
  return *value;
}
