#include "platform/posix/terminal_text.h"

#include <iconv.h>

std::string TerminalTextFromCp936(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP936");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out(text.size() * 3 / 2 + 8, '\0');
  char* in_ptr = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  std::size_t done = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1)) return text;
  out.resize(out.size() - out_left);
  return out;
}
