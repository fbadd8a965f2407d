#include "support/reference_rules.h"

#include <regex>

std::string ReferenceNormalizeDeviceName(const std::string& name) {
  using std::regex;
  static const regex edge_space("^\\s+|\\s+$");
  static const regex parenthesised_group("\\([^\\(\\)]*\\)");
  static const regex bracketed_group("\\[[^\\[\\]]*\\]");
  static const regex device_word("(\\s+|^)(CPU|GPU|Processor)(\\s+|$)", regex::ECMAScript | regex::icase);
  static const regex vendor_prefix("^(ATI|AMD)\\s+", regex::ECMAScript | regex::icase);
  static const regex marker("\\@\\?\\%");
  static const regex any_space("\\s+");
  std::string s = std::regex_replace(name, edge_space, "");
  s = std::regex_replace(s, parenthesised_group, " ");
  s = std::regex_replace(s, bracketed_group, " ");
  s = std::regex_replace(s, device_word, " ");
  s = std::regex_replace(s, vendor_prefix, "");
  s = std::regex_replace(s, marker, " ");
  s = std::regex_replace(s, any_space, "");
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::optional<ReferenceDeviceLine> ReferenceMatchDeviceLine(const std::string& line) {
  static const std::regex pattern("(\\S+)\\t\\S+\\t\\S+\\t([^\\t]+)\\t([\\d\\.]+)[^\\t]*\\t([^\\t]+).*");
  std::smatch match;
  if (!std::regex_match(line, match, pattern)) return std::nullopt;
  return ReferenceDeviceLine{match[1], match[2], match[3], match[4]};
}

std::vector<std::pair<std::string, std::string>> ReferenceScoreEntries(const std::string& text) {
  static const std::regex entry("(.*):(\\d+)");
  std::vector<std::pair<std::string, std::string>> entries;
  for (std::sregex_iterator it(text.begin(), text.end(), entry), end; it != end; ++it) {
    entries.emplace_back((*it)[1], (*it)[2]);
  }
  return entries;
}
