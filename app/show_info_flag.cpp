#include "app/show_info_flag.h"

bool& ShowInfoFlag() {
  static bool flag = false;
  return flag;
}
