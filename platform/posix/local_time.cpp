#include "platform/local_time.h"

bool LocalTimeNow(std::tm& local_time) {
  const std::time_t now = std::time(nullptr);
  return localtime_r(&now, &local_time) != nullptr;
}
