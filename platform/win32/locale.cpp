#include "platform/locale.h"

#include <clocale>

void UseCodePage936Locale() { std::setlocale(LC_ALL, "Chinese_People's Republic of China.936"); }
