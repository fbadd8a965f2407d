#pragma once

#include <string>

// Code page 936 bytes as UTF-16, for the wide Windows APIs.
std::wstring WideFromCp936(const std::string& text);
