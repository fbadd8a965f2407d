#include "platform/posix/locale_text.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "platform/text_encoding.h"

namespace {

// The character encoding the environment's locale names, without keeping
// that locale: the process goes on in the one it had.
std::string EnvironmentCodeset() {
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string previous = current == nullptr ? "C" : current;
  std::string codeset = "UTF-8";
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const char* named = nl_langinfo(CODESET);
    if (named != nullptr && std::strcmp(named, "ANSI_X3.4-1968") != 0) codeset = named;
  }
  std::setlocale(LC_CTYPE, previous.c_str());
  return codeset;
}

}  // namespace

std::string Cp936FromLocaleText(std::string_view text) {
  static const std::string codeset = EnvironmentCodeset();
  if (codeset == "UTF-8" || codeset == "utf8") return Cp936FromUtf8(text);
  return Cp936FromEncoding(text, codeset.c_str());
}
