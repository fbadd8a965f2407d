#pragma once

#include <optional>
#include <string>
#include <string_view>

// `text` converted from the encoding `from` to `to` with iconv; nothing when
// the text is not valid in `from` or has no form in `to`.
std::optional<std::string> ConvertText(std::string_view text, const char* from, const char* to);
