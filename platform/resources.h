#pragma once

#include <string>

// Returns all bytes of the executable's built-in resource `name` of type
// `type` (names and types match without regard to case), or "" when the
// executable has no such resource.
std::string LoadTextResource(const char* name, const char* type);
