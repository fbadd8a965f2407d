#pragma once

#include <ctime>

// The current calendar time as local time; false when it cannot be converted.
bool LocalTimeNow(std::tm& local_time);
