#pragma once

#include <vector>

// A file linked into the executable by the build (see resources/), the
// POSIX stand-in for a resource section.
struct EmbeddedResource {
  const char* name;
  const char* type;
  const char* begin;
  const char* end;
};

const std::vector<EmbeddedResource>& EmbeddedResources();
