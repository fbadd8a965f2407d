#pragma once

#include <string>
#include <string_view>

// Returns all bytes of the executable's built-in resource `name` of type
// `type` (names and types match without regard to case), or "" when the
// executable has no such resource.
std::string LoadTextResource(const char* name, const char* type);

// The same bytes where the executable holds them, for the life of the
// process, without a copy.
std::string_view TextResourceView(const char* name, const char* type);
