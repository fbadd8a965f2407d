#include "dialog/verification_code.h"

#include <cstdio>
#include <cstdlib>

std::string ShownVerificationCode(int value) {
  char shown[16];
  std::snprintf(shown, sizeof shown, "%04d", value / 100 + value % 100 * 100);
  return shown;
}

bool VerificationCodeMatches(int value, const char* text) {
  const int typed = std::atoi(text == nullptr ? "" : text);
  return typed % 100 == value / 100 && typed / 100 == value % 100;
}
