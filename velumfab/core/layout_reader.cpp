#include "velumfab/core/layout_reader.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "platform/text_encoding.h"

namespace VelumFab {

namespace {

namespace pt = boost::property_tree;

constexpr int kMaxNesting = 16;
constexpr int kMaxCells = 500;
constexpr char kAttributes[] = "<xmlattr>";

// A fault of the layout at a line of its file.
struct LayoutFault : std::runtime_error {
  LayoutFault(int line, const std::string& what) : std::runtime_error(what), line(line) {}
  int line;
};

// The line of each element's start tag, in document order: the order in
// which the property tree holds the elements, so the n-th element visited
// depth first started on lines[n]. Also refuses nesting deeper than any
// layout needs, before the recursive XML reader sees it.
std::vector<int> StartTagLines(std::string_view text) {
  std::vector<int> lines;
  int line = 1;
  int depth = 0;
  std::size_t at = 0;
  auto skip_past = [&](std::string_view end) {
    const std::size_t found = text.find(end, at);
    const std::size_t stop = found == std::string_view::npos ? text.size() : found + end.size();
    for (; at < stop; ++at) line += text[at] == '\n';
  };
  while (at < text.size()) {
    if (text[at] == '\n') ++line;
    if (text[at] != '<') {
      ++at;
      continue;
    }
    const std::string_view rest = text.substr(at);
    if (rest.substr(0, 4) == "<!--") {
      skip_past("-->");
    } else if (rest.substr(0, 9) == "<![CDATA[") {
      skip_past("]]>");
    } else if (rest.substr(0, 2) == "<?") {
      skip_past("?>");
    } else if (rest.substr(0, 2) == "<!") {
      skip_past(">");
    } else if (rest.substr(0, 2) == "</") {
      --depth;
      skip_past(">");
    } else {
      lines.push_back(line);
      const int start_line = line;
      char quote = 0;
      for (++at; at < text.size(); ++at) {
        const char c = text[at];
        line += c == '\n';
        if (quote != 0) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '>') {
          break;
        }
      }
      const bool self_closing = at < text.size() && at > 0 && text[at - 1] == '/';
      if (!self_closing && ++depth > kMaxNesting) throw LayoutFault(start_line, "elements nested too deep");
      ++at;
    }
  }
  return lines;
}

std::optional<ControlKind> KindOf(const std::string& element) {
  static const std::pair<const char*, ControlKind> kKinds[] = {
      {"dialog", ControlKind::kDialog}, {"panel", ControlKind::kPanel},   {"label", ControlKind::kLabel},
      {"richlabel", ControlKind::kRichLabel}, {"edit", ControlKind::kEdit}, {"button", ControlKind::kButton},
      {"combo", ControlKind::kCombo}};
  for (const auto& [name, kind] : kKinds) {
    if (element == name) return kind;
  }
  return std::nullopt;
}

std::set<std::string> AllowedAttributes(ControlKind kind) {
  std::set<std::string> allowed{"name", "x", "y", "width", "height"};
  switch (kind) {
    case ControlKind::kDialog:
    case ControlKind::kPanel: allowed.insert({"title", "cancel"}); break;
    case ControlKind::kLabel: allowed.insert({"text", "clickable"}); break;
    case ControlKind::kButton: allowed.insert({"text", "action"}); break;
    case ControlKind::kCombo:
    case ControlKind::kRichLabel:
    case ControlKind::kEdit: allowed.insert("text"); break;
  }
  return allowed;
}

class Reader {
 public:
  explicit Reader(std::vector<int> lines) : lines_(std::move(lines)) {}

  ControlModel Read(const pt::ptree& document) {
    if (document.size() != 1 || document.begin()->first != "layout") throw LayoutFault(1, "the root element must be <layout>");
    const pt::ptree& layout = document.begin()->second;
    const int layout_line = NextLine();
    std::vector<std::pair<std::string, int>> required;
    for (const auto& [element, node] : layout) {
      if (element == kAttributes) throw LayoutFault(layout_line, "<layout> has no attributes");
      const int line = NextLine();
      if (element == "requires") {
        if (!node.empty()) throw LayoutFault(line, "<requires> holds only names");
        std::istringstream names(node.data());
        for (std::string name; names >> name;) required.emplace_back(name, line);
      } else if (element == "dialog") {
        ReadControl(element, node, 0, line);
      } else {
        throw LayoutFault(line, "<" + element + "> cannot stand at the top of a layout (a <dialog> or <requires> can)");
      }
    }
    for (const auto& [name, line] : required) {
      if (model_.IdOf(name) == 0) throw LayoutFault(line, "no control is named \"" + name + "\", which the layout requires");
    }
    CheckFrameReferences();
    return std::move(model_);
  }

 private:
  int NextLine() { return next_ < lines_.size() ? lines_[next_++] : 0; }

  void ReadControl(const std::string& element, const pt::ptree& node, int frame, int line) {
    const std::optional<ControlKind> kind = KindOf(element);
    if (!kind) throw LayoutFault(line, "unknown kind of control <" + element + ">");
    if (*kind == ControlKind::kDialog && frame != 0) throw LayoutFault(line, "a <dialog> cannot sit inside another control");
    if (*kind == ControlKind::kPanel && !IsDialog(frame)) throw LayoutFault(line, "a <panel> must sit directly in a <dialog>");
    if (!IsFrame(*kind) && frame == 0) throw LayoutFault(line, "<" + element + "> must sit in a <dialog> or <panel>");

    Control control;
    control.kind = *kind;
    control.frame = frame;
    control.source_line = line;
    ReadAttributes(node, control, line);
    if (control.name.empty()) throw LayoutFault(line, "<" + element + "> has no name");
    if (model_.IdOf(control.name) != 0) {
      throw LayoutFault(line, "two controls are named \"" + control.name + "\" (the first on line " +
                                  std::to_string(model_.Find(model_.IdOf(control.name))->source_line) + ")");
    }
    if (control.kind == ControlKind::kRichLabel) control.rich = ParseRichText(control.text);
    if (!Blank(node.data())) throw LayoutFault(line, "text of <" + element + "> belongs in its text attribute");

    std::vector<std::pair<const std::string*, const pt::ptree*>> children;
    for (const auto& child : node) {
      if (child.first != kAttributes) children.emplace_back(&child.first, &child.second);
    }
    const int id = static_cast<int>(model_.Controls().size()) + 1;
    if (*kind == ControlKind::kCombo) ReadItems(children, control);
    model_.Add(std::move(control));
    if (*kind == ControlKind::kCombo) return;
    for (const auto& [child_element, child] : children) {
      const int child_line = NextLine();
      if (!IsFrame(*kind)) throw LayoutFault(child_line, "<" + element + "> cannot hold other controls");
      ReadControl(*child_element, *child, id, child_line);
    }
  }

  void ReadItems(const std::vector<std::pair<const std::string*, const pt::ptree*>>& children, Control& combo) {
    for (const auto& [element, item] : children) {
      const int line = NextLine();
      if (*element != "item" || !item->empty()) throw LayoutFault(line, "a <combo> holds only <item> elements with text");
      combo.items.push_back(Cp936FromUtf8(item->data()));
    }
  }

  void ReadAttributes(const pt::ptree& node, Control& control, int line) {
    const auto attributes = node.get_child_optional(kAttributes);
    if (!attributes) return;
    const std::set<std::string> allowed = AllowedAttributes(control.kind);
    for (const auto& [name, value] : *attributes) {
      if (allowed.count(name) == 0) {
        throw LayoutFault(line, "<" + std::string(KindName(control.kind)) + "> has no attribute \"" + name + "\"");
      }
      const std::string& text = value.data();
      if (name == "name") control.name = text;
      else if (name == "x") control.x = Number(text, 0, line, name);
      else if (name == "y") control.y = Number(text, 0, line, name);
      else if (name == "width") control.width = Number(text, 1, line, name);
      else if (name == "height") control.height = Number(text, 1, line, name);
      else if (name == "text" || name == "title") control.text = Cp936FromUtf8(text);
      else if (name == "cancel") control.cancel = text;
      else if (name == "clickable") control.clickable = Flag(text, line, name);
      else if (name == "action") control.action = Action(text, line);
    }
  }

  static int Number(const std::string& text, int least, int line, const std::string& name) {
    int value = 0;
    bool digits = !text.empty() && text.size() <= 3;
    for (char c : text) digits = digits && c >= '0' && c <= '9';
    if (digits) value = std::stoi(text);
    if (!digits || value < least || value > kMaxCells) {
      throw LayoutFault(line, name + "=\"" + text + "\" is not a number from " + std::to_string(least) + " to " +
                                  std::to_string(kMaxCells));
    }
    return value;
  }

  static bool Flag(const std::string& text, int line, const std::string& name) {
    if (text != "0" && text != "1") throw LayoutFault(line, name + "=\"" + text + "\" must be 0 or 1");
    return text == "1";
  }

  static ButtonAction Action(const std::string& text, int line) {
    if (text != "close") throw LayoutFault(line, "action=\"" + text + "\" is unknown (the one action is \"close\")");
    return ButtonAction::kClosePanel;
  }

  static bool Blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

  bool IsDialog(int frame) const {
    const Control* control = model_.Find(frame);
    return control != nullptr && control->kind == ControlKind::kDialog;
  }

  // A frame's cancel control must be one of its own controls.
  void CheckFrameReferences() const {
    for (const Control& frame : model_.Controls()) {
      if (!IsFrame(frame.kind) || frame.cancel.empty()) continue;
      const Control* cancel = model_.Find(model_.IdOf(frame.cancel));
      if (cancel == nullptr || cancel->frame != frame.id) {
        throw LayoutFault(frame.source_line, "cancel=\"" + frame.cancel + "\" names no control of \"" + frame.name + "\"");
      }
    }
  }

  std::vector<int> lines_;
  std::size_t next_ = 0;
  ControlModel model_;
};

}  // namespace

LayoutReading ReadLayout(std::string_view text, const std::string& file_name) {
  LayoutReading reading;
  auto fail = [&](int line, const std::string& what) {
    reading.error = file_name + ":" + std::to_string(line) + ": " + what;
    return reading;
  };
  if (text.size() > kMaxLayoutBytes) return fail(0, "larger than " + std::to_string(kMaxLayoutBytes) + " bytes");
  const std::size_t zero = text.find('\0');
  if (zero != std::string_view::npos) {
    return fail(1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(zero), '\n')),
                "a zero byte: not a text file");
  }
  try {
    std::vector<int> lines = StartTagLines(text);
    pt::ptree document;
    std::istringstream stream{std::string(text)};
    pt::read_xml(stream, document, pt::xml_parser::no_comments | pt::xml_parser::trim_whitespace);
    reading.model = Reader(std::move(lines)).Read(document);
  } catch (const pt::xml_parser_error& error) {
    return fail(static_cast<int>(error.line()), error.message());
  } catch (const LayoutFault& fault) {
    return fail(fault.line, fault.what());
  }
  return reading;
}

}  // namespace VelumFab
