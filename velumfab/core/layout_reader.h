#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "velumfab/core/control_model.h"

namespace VelumFab {

// A layout file read into controls, or why it cannot be used.
struct LayoutReading {
  std::optional<ControlModel> model;
  std::string error;  // "file:line: what", when there is no model
};

// Reads a layout (XML, UTF-8; texts become code page 936). `file_name` only
// names the file in errors. A layout is used whole or not at all: malformed
// XML, a control without a name, two controls of one name, an unknown kind
// or attribute, a bad number, or a name that the layout's `requires` list
// promises and no control has, each make it unusable.
LayoutReading ReadLayout(std::string_view text, const std::string& file_name);

// Layout files larger than this are refused unread.
constexpr std::size_t kMaxLayoutBytes = 1 << 20;

}  // namespace VelumFab
