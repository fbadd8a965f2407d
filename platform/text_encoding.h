#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The program's text is code page 936 (GBK). These convert it where it meets
// the outside: UTF-16 for the wide Windows APIs, UTF-8 for terminals and
// files. Both builds give the same results.

// One UTF-16 code unit as code page 936 bytes: the exact character, a
// best-fit or the default character when there is none, "" when the
// conversion fails. A lone surrogate has no character of its own.
std::string Cp936FromUtf16Unit(std::uint16_t unit);

// Whole texts. A code page 936 byte that starts no valid character becomes a
// replacement character; a UTF-16 character that code page 936 lacks, "?".
std::u16string Utf16FromCp936(std::string_view text);
std::string Cp936FromUtf16(std::u16string_view text);

// Between code page 936 and UTF-8, bytes that do not convert are kept as
// they are, so a text that is already in the other encoding, or broken,
// survives the trip.
std::string Utf8FromCp936(std::string_view text);
std::string Cp936FromUtf8(std::string_view text);

// The length in bytes of the code page 936 character that `text` starts
// with: 2 for a lead byte 0x81-0xFE followed by a trail byte 0x40-0xFE
// (except 0x7F), otherwise 1; 0 for an empty text.
std::size_t Cp936CharacterLength(std::string_view text);
