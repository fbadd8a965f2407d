#include "platform/resources.h"

#include <strings.h>

#include "platform/posix/embedded_resources.h"

std::string_view TextResourceView(const char* name, const char* type) {
  for (const EmbeddedResource& resource : EmbeddedResources()) {
    if (strcasecmp(resource.name, name) == 0 && strcasecmp(resource.type, type) == 0) {
      return {resource.begin, static_cast<std::size_t>(resource.end - resource.begin)};
    }
  }
  return {};
}

std::string LoadTextResource(const char* name, const char* type) { return std::string(TextResourceView(name, type)); }
