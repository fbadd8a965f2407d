#include "velumfab/core/layout_reader.h"

#include <tinyxml2.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/text_encoding.h"
#include "platform/unicode_text.h"
#include "velumfab/core/control_text.h"

namespace VelumFab {

namespace {

using tinyxml2::XMLElement;

constexpr int kMaxCells = 500;

// A fault of the layout at a line of its file.
struct LayoutFault : std::runtime_error {
  LayoutFault(int line, const std::string& what) : std::runtime_error(what), line(line) {}
  int line;
};

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

bool Blank(const char* text) {
  return text == nullptr || std::string(text).find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string Trimmed(const char* text) {
  const std::string value = text == nullptr ? "" : text;
  const std::size_t begin = value.find_first_not_of(" \t\r\n");
  return begin == std::string::npos ? "" : value.substr(begin, value.find_last_not_of(" \t\r\n") - begin + 1);
}

// Text of an element's own, beside its child elements.
bool HasText(const XMLElement& element) {
  for (const tinyxml2::XMLNode* node = element.FirstChild(); node != nullptr; node = node->NextSibling()) {
    if (node->ToText() != nullptr && !Blank(node->Value())) return true;
  }
  return false;
}

class Reader {
 public:
  ControlModel Read(const tinyxml2::XMLDocument& document) {
    const XMLElement* layout = document.RootElement();
    if (layout == nullptr || std::string(layout->Name()) != "layout") {
      throw LayoutFault(layout == nullptr ? 1 : layout->GetLineNum(), "the root element must be <layout>");
    }
    if (layout->FirstAttribute() != nullptr) throw LayoutFault(layout->GetLineNum(), "<layout> has no attributes");
    std::vector<std::pair<std::string, int>> required;
    for (const XMLElement* element = layout->FirstChildElement(); element != nullptr;
         element = element->NextSiblingElement()) {
      const std::string name = element->Name();
      const int line = element->GetLineNum();
      if (name == "requires") {
        if (element->FirstChildElement() != nullptr) throw LayoutFault(line, "<requires> holds only names");
        std::istringstream names(element->GetText() == nullptr ? "" : element->GetText());
        for (std::string required_name; names >> required_name;) required.emplace_back(required_name, line);
      } else if (name == "dialog") {
        ReadControl(*element, 0);
      } else {
        throw LayoutFault(line, "<" + name + "> cannot stand at the top of a layout (a <dialog> or <requires> can)");
      }
    }
    for (const auto& [name, line] : required) {
      if (model_.IdOf(name) == 0) throw LayoutFault(line, "no control is named \"" + name + "\", which the layout requires");
    }
    CheckFrameReferences();
    return std::move(model_);
  }

 private:
  void ReadControl(const XMLElement& element, int frame) {
    const std::string name = element.Name();
    const int line = element.GetLineNum();
    const std::optional<ControlKind> kind = KindOf(name);
    if (!kind) throw LayoutFault(line, "unknown kind of control <" + name + ">");
    if (*kind == ControlKind::kDialog && frame != 0) throw LayoutFault(line, "a <dialog> cannot sit inside another control");
    if (*kind == ControlKind::kPanel && !IsDialog(frame)) throw LayoutFault(line, "a <panel> must sit directly in a <dialog>");
    if (!IsFrame(*kind) && frame == 0) throw LayoutFault(line, "<" + name + "> must sit in a <dialog> or <panel>");

    Control control;
    control.kind = *kind;
    control.frame = frame;
    control.source_line = line;
    ReadAttributes(element, control);
    if (control.name.empty()) throw LayoutFault(line, "<" + name + "> has no name");
    if (model_.IdOf(control.name) != 0) {
      throw LayoutFault(line, "two controls are named \"" + control.name + "\" (the first on line " +
                                  std::to_string(model_.Find(model_.IdOf(control.name))->source_line) + ")");
    }
    if (control.kind == ControlKind::kRichLabel) SetRichMarkup(control, control.text);
    if (HasText(element)) throw LayoutFault(line, "text of <" + name + "> belongs in its text attribute");

    const int id = static_cast<int>(model_.Controls().size()) + 1;
    if (*kind == ControlKind::kCombo) {
      ReadItems(element, control);
      model_.Add(std::move(control));
      return;
    }
    model_.Add(std::move(control));
    for (const XMLElement* child = element.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
      if (!IsFrame(*kind)) throw LayoutFault(child->GetLineNum(), "<" + name + "> cannot hold other controls");
      ReadControl(*child, id);
    }
  }

  static void ReadItems(const XMLElement& element, Control& combo) {
    for (const XMLElement* item = element.FirstChildElement(); item != nullptr; item = item->NextSiblingElement()) {
      if (std::string(item->Name()) != "item" || item->FirstChildElement() != nullptr || item->FirstAttribute() != nullptr) {
        throw LayoutFault(item->GetLineNum(), "a <combo> holds only <item> elements with text");
      }
      const std::string text = Trimmed(item->GetText());
      combo.items.push_back(Cp936FromUtf8(text));
      combo.shown_items.push_back(Utf32FromUtf8(text));
    }
  }

  static void ReadAttributes(const XMLElement& element, Control& control) {
    const int line = element.GetLineNum();
    const std::set<std::string> allowed = AllowedAttributes(control.kind);
    for (const tinyxml2::XMLAttribute* attribute = element.FirstAttribute(); attribute != nullptr;
         attribute = attribute->Next()) {
      const std::string name = attribute->Name();
      const std::string text = attribute->Value();
      if (allowed.count(name) == 0) {
        throw LayoutFault(line, "<" + std::string(KindName(control.kind)) + "> has no attribute \"" + name + "\"");
      }
      if (name == "name") control.name = text;
      else if (name == "x") control.x = Number(text, 0, line, name);
      else if (name == "y") control.y = Number(text, 0, line, name);
      else if (name == "width") control.width = Number(text, 1, line, name);
      else if (name == "height") control.height = Number(text, 1, line, name);
      else if (name == "text" || name == "title") {
        control.text = Cp936FromUtf8(text);
        control.shown = Utf32FromUtf8(text);
        control.caret = static_cast<int>(control.shown.size());
      }
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

  ControlModel model_;
};

std::string ParseError(const tinyxml2::XMLDocument& document) {
  if (document.ErrorID() == tinyxml2::XML_ELEMENT_DEPTH_EXCEEDED) return "elements nested too deep";
  return std::string("malformed XML (") + document.ErrorName() + ")";
}

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
  tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
  if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
    return fail(document.ErrorLineNum(), ParseError(document));
  }
  try {
    reading.model = Reader().Read(document);
  } catch (const LayoutFault& fault) {
    return fail(fault.line, fault.what());
  }
  return reading;
}

}  // namespace VelumFab
