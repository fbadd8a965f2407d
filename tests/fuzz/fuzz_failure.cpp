#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"

void FuzzFailure(const std::string& what) {
  std::fprintf(stderr, "fuzz failure: %s\n", what.c_str());
  std::abort();
}
