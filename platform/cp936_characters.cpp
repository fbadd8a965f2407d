#include "platform/text_encoding.h"

std::size_t Cp936CharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x81 || lead == 0xFF || text.size() < 2) return 1;
  const unsigned char trail = static_cast<unsigned char>(text[1]);
  return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}
