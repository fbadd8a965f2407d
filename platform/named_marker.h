#pragma once

#include <string>

// A named marker in the user's logon session. It exists while any process
// that created it, or found it, still runs: both calls keep it alive for the
// rest of the calling process.

// Whether the marker `name` exists now.
bool FindNamedMarker(const std::string& name);

// Creates the marker `name` (or joins it when it exists).
void CreateNamedMarker(const std::string& name);
