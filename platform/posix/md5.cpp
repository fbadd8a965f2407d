#include "platform/md5.h"

#include <openssl/evp.h>

std::array<std::uint8_t, 16> Md5(std::string_view bytes) {
  std::array<std::uint8_t, 16> digest{};
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_md5(), nullptr);
  return digest;
}
