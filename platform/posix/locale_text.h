#pragma once

#include <string>
#include <string_view>

// Text in the encoding of the user's locale (LC_CTYPE of the environment;
// UTF-8 when that is the plain C locale), as code page 936, such as the
// command line a terminal sends. Bytes that do not convert stay as they are.
std::string Cp936FromLocaleText(std::string_view text);

// Text in the iconv encoding `encoding` as code page 936, the same way.
std::string Cp936FromEncoding(std::string_view text, const char* encoding);
