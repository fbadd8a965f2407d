#pragma once

#include "velumfab/core/backend.h"

namespace VelumFab {

// The backends built into this library, by name, its native one first (the
// default): a table made by the build from the backend targets it links in
// (velumfab/CMakeLists.txt).
const BackendTable& BuiltBackends();

}  // namespace VelumFab
