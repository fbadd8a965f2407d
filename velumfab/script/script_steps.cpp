#include "velumfab/script/script_steps.h"

#include <map>
#include <stdexcept>

#include "platform/unicode_text.h"
#include "velumfab/core/input_queue.h"
#include "velumfab/core/rich_text.h"

namespace VelumFab {

namespace {

using Kind = ScriptStep::Kind;
using Condition = ScriptStep::Condition;

struct StepFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Splits off the first word of `rest` (words are separated by blanks).
std::string NextWord(std::string_view& rest) {
  const std::size_t begin = rest.find_first_not_of(" \t");
  if (begin == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(begin);
  const std::size_t end = rest.find_first_of(" \t");
  const std::string word(rest.substr(0, end));
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return word;
}

std::string Required(std::string_view& rest, const char* what) {
  std::string word = NextWord(rest);
  if (word.empty()) throw StepFault(std::string("missing ") + what);
  return word;
}

void ExpectEnd(std::string_view rest) {
  if (rest.find_first_not_of(" \t") != std::string_view::npos) throw StepFault("unexpected \"" + std::string(rest) + "\"");
}

int ItemNumber(const std::string& word) {
  if (word.empty() || word.size() > 4 || word.find_first_not_of("0123456789") != std::string::npos) {
    throw StepFault("\"" + word + "\" is not an item number");
  }
  return std::stoi(word);
}

void ReadKey(const std::string& name, ScriptStep& step) {
  static const std::map<std::string, unsigned> kKeys = {
      {"Tab", kKeyTab},   {"Enter", kKeyEnter}, {"Esc", kKeyEscape},     {"Space", kKeySpace},
      {"Backspace", kKeyBackspace}, {"Delete", kKeyDelete}, {"Up", kKeyUp}, {"Down", kKeyDown},
      {"Left", kKeyLeft}, {"Right", kKeyRight}, {"Home", kKeyHome}, {"End", kKeyEnd}};
  if (name == "Shift-Tab") {
    step.key = kKeyTab;
    step.shift = true;
    return;
  }
  const auto key = kKeys.find(name);
  if (key == kKeys.end()) throw StepFault("unknown key \"" + name + "\"");
  step.key = key->second;
}

void ReadCondition(std::string_view rest, ScriptStep& step) {
  static const std::map<std::string, Condition> kConditions = {
      {"visible", Condition::kVisible}, {"hidden", Condition::kHidden}, {"focus", Condition::kFocus},
      {"open", Condition::kOpen},       {"closed", Condition::kClosed}, {"text", Condition::kText},
      {"contains", Condition::kContains}, {"color", Condition::kColor}, {"selection", Condition::kSelection}};
  const std::string name = Required(rest, "condition");
  const auto condition = kConditions.find(name);
  if (condition == kConditions.end()) throw StepFault("unknown condition \"" + name + "\"");
  step.condition = condition->second;
  step.control = Required(rest, "control name");
  switch (step.condition) {
    case Condition::kText:
    case Condition::kContains: step.text = Utf32FromUtf8(rest); return;
    case Condition::kColor: {
      const std::string color = Required(rest, "colour");
      const auto value = ParseColor(color);
      if (!value) throw StepFault("\"" + color + "\" is not a colour (0x and six hexadecimal digits)");
      step.number = static_cast<int>(*value);
      break;
    }
    case Condition::kSelection: {
      const std::string item = Required(rest, "item number");
      step.number = item == "-1" ? -1 : ItemNumber(item);
      break;
    }
    default: break;
  }
  ExpectEnd(rest);
}

ScriptStep ReadStep(std::string_view line) {
  ScriptStep step;
  std::string_view rest = line;
  const std::string verb = NextWord(rest);
  if (verb == "type") {
    step.kind = Kind::kType;
    step.control = Required(rest, "control name");
    step.text = Utf32FromUtf8(rest);
    return step;
  }
  if (verb == "copy") {
    step.kind = Kind::kCopy;
    step.control = Required(rest, "label name");
    step.edit = Required(rest, "edit name");
  } else if (verb == "choose") {
    step.kind = Kind::kChoose;
    step.control = Required(rest, "combo box name");
    step.number = ItemNumber(Required(rest, "item number"));
  } else if (verb == "click") {
    step.kind = Kind::kClick;
    step.control = Required(rest, "control name");
  } else if (verb == "key") {
    step.kind = Kind::kKey;
    step.control = Required(rest, "control name");
    ReadKey(Required(rest, "key name"), step);
  } else if (verb == "close") {
    step.kind = Kind::kClose;
  } else if (verb == "expect") {
    step.kind = Kind::kExpect;
    ReadCondition(rest, step);
    return step;
  } else if (verb == "end") {
    step.kind = Kind::kEnd;
  } else {
    throw StepFault("unknown step \"" + verb + "\"");
  }
  ExpectEnd(rest);
  return step;
}

}  // namespace

ScriptReading ReadScript(std::string_view text, const std::string& file_name) {
  ScriptReading reading;
  if (text.size() > kMaxScriptBytes) {
    reading.error = file_name + ": larger than " + std::to_string(kMaxScriptBytes) + " bytes";
    return reading;
  }
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') continue;
    try {
      ScriptStep step = ReadStep(line);
      step.line = number;
      step.source = std::string(line.substr(first));
      reading.steps.push_back(std::move(step));
    } catch (const StepFault& fault) {
      reading.error = file_name + ":" + std::to_string(number) + ": " + fault.what();
      reading.steps.clear();
      return reading;
    }
  }
  return reading;
}

}  // namespace VelumFab
