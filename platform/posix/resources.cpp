#include "platform/resources.h"

#include <strings.h>

#include "platform/posix/embedded_resources.h"

std::string LoadTextResource(const char* name, const char* type) {
  for (const EmbeddedResource& resource : EmbeddedResources()) {
    if (strcasecmp(resource.name, name) == 0 && strcasecmp(resource.type, type) == 0) {
      return std::string(resource.begin, resource.end);
    }
  }
  return {};
}
