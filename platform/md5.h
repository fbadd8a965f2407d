#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The MD5 digest (RFC 1321) of `bytes`, from the platform's own
// implementation (Windows CNG; OpenSSL's libcrypto on POSIX).
std::array<std::uint8_t, 16> Md5(std::string_view bytes);
