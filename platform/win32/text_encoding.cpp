#include "platform/text_encoding.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr UINT kCodePage936 = 936;

// `text` in the wide form, or "" when it holds an invalid sequence.
std::u16string StrictWide(UINT code_page, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::u16string wide(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()),
                      length);
  return wide;
}

// `wide` in `code_page`; with `strict`, "" when a character has no form there.
std::string Narrow(UINT code_page, std::u16string_view wide, bool strict) {
  if (wide.empty()) return {};
  const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  BOOL* lossy_flag = strict && code_page != CP_UTF8 ? &lossy : nullptr;
  const DWORD flags = strict && code_page == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
  const int length = WideCharToMultiByte(code_page, flags, units, size, nullptr, 0, nullptr, lossy_flag);
  if (length <= 0 || lossy) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, units, size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

// Converts `text` from `from` to `to` through UTF-16, one character at a
// time where the whole text does not convert, keeping the bytes of each
// character that does not.
std::string Recode(UINT from, UINT to, std::string_view text) {
  if (text.empty()) return {};
  const std::u16string whole = StrictWide(from, text);
  if (!whole.empty()) {
    std::string converted = Narrow(to, whole, true);
    if (!converted.empty()) return converted;
  }
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    if (from == kCodePage936) {
      length = Cp936CharacterLength(text.substr(at));
    } else {
      const unsigned char lead = static_cast<unsigned char>(text[at]);
      length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      if (at + length > text.size()) length = 1;
    }
    const std::string_view character = text.substr(at, length);
    const std::u16string wide = StrictWide(from, character);
    const std::string converted = wide.empty() ? std::string() : Narrow(to, wide, true);
    if (!converted.empty()) {
      out += converted;
      at += length;
    } else {
      out += text[at];  // a byte that starts nothing convertible stays
      at += 1;
    }
  }
  return out;
}

}  // namespace

std::string Cp936FromUtf16Unit(std::uint16_t unit) {
  const wchar_t wide = static_cast<wchar_t>(unit);
  char bytes[4] = {};
  WideCharToMultiByte(kCodePage936, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr);
  return std::string(bytes, strnlen(bytes, sizeof bytes));
}

std::u16string Utf16FromCp936(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kCodePage936, 0, text.data(), size, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(length), u'\0');
  MultiByteToWideChar(kCodePage936, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()), length);
  return wide;
}

std::string Cp936FromUtf16(std::u16string_view text) { return Narrow(kCodePage936, text, false); }

std::string Utf8FromCp936(std::string_view text) { return Recode(kCodePage936, CP_UTF8, text); }

std::string Cp936FromUtf8(std::string_view text) { return Recode(CP_UTF8, kCodePage936, text); }
