#include "velumfab/script/script_backend.h"

#include <algorithm>
#include <cstdio>

#include "framework/velum.h"
#include "platform/environment.h"
#include "platform/text_encoding.h"
#include "velumfab/core/events.h"

namespace VelumFab {

namespace {

using Kind = ScriptStep::Kind;
using Condition = ScriptStep::Condition;

std::string Quoted(const std::string& cp936) { return "\"" + Utf8FromCp936(cp936) + "\""; }

std::string KeyName(unsigned key) {
  switch (key) {
    case kKeyTab: return "Tab";
    case kKeyEnter: return "Enter";
    case kKeyEscape: return "Esc";
    case kKeySpace: return "Space";
    case kKeyBackspace: return "Backspace";
    case kKeyUp: return "Up";
    case kKeyDown: return "Down";
    case kKeyLeft: return "Left";
    case kKeyRight: return "Right";
    default: return std::to_string(key);
  }
}

std::string CharacterCodeText(unsigned code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", code);
  return text;
}

std::string MessageName(int message) {
  switch (message) {
    case Velum::kMessageKeyDown: return "key-down";
    case Velum::kMessageChar: return "char";
    case Velum::kMessageKeyUp: return "key-up";
    default: return std::to_string(message);
  }
}

std::string RunText(const TextRun& run) {
  std::string looks = run.color ? ColorText(*run.color) : "default";
  if (run.bold) looks += " bold";
  if (run.size != 0) looks += " size " + std::to_string(run.size);
  return Quoted(run.text) + " [" + looks + "]";
}

// The colour every run of a rich label shows, if they agree.
std::optional<std::uint32_t> RunsColor(const Control& control) {
  if (control.rich.empty()) return control.color;
  const std::optional<std::uint32_t> first = control.rich.front().color;
  for (const TextRun& run : control.rich) {
    if (run.color != first) return std::nullopt;
  }
  return first;
}

std::string ShownText(const Control& control) {
  if (control.kind == ControlKind::kRichLabel) return PlainText(control.rich);
  if (control.kind == ControlKind::kCombo && control.selection >= 0) {
    return control.items[static_cast<std::size_t>(control.selection)];
  }
  return control.text;
}

}  // namespace

ScriptBackend::ScriptBackend(const LibrarySettings& settings, const HostServices& host)
    : settings_(settings), host_(host) {}

bool ScriptBackend::Start(const ControlModel& model, std::string& reason) {
  model_ = &model;
  if (!settings_.transcript.empty()) {
    // Appended to: what the host printed before the dialog opened (its
    // message boxes) stays in front.
    transcript_.open(settings_.transcript, std::ios::app | std::ios::binary);
    if (!transcript_) {
      reason = "cannot write the transcript " + settings_.transcript;
      return false;
    }
    // Host message boxes printed for unattended runs go into it too.
    SetEnvironmentText("VELUM_TRANSCRIPT", settings_.transcript);
  }
  if (settings_.script.empty()) {
    reason = "no script to play: set Script= in [VelumFab] of Velum.ini, or VELUM_SCRIPT";
  } else if (const auto text = host_.ReadFile(settings_.script, kMaxScriptBytes); !text) {
    reason = "cannot read the script " + settings_.script;
  } else {
    ScriptReading reading = ReadScript(*text, settings_.script);
    reason = reading.error;
    steps_ = std::move(reading.steps);
  }
  if (!reason.empty()) {
    Write("FAIL " + reason);
    return false;
  }
  Write("script " + settings_.script + ": " + std::to_string(steps_.size()) + " steps");
  return true;
}

void ScriptBackend::FrameOpened(int frame) {
  open_frames_.push_back(frame);
  Write("open " + Get(frame).name + " " + Quoted(Get(frame).text));
  for (const Control& control : model_->Controls()) {
    if (control.frame == frame && control.id != frame) WriteState(control);
  }
}

void ScriptBackend::FrameClosed(int frame) {
  open_frames_.erase(std::remove(open_frames_.begin(), open_frames_.end(), frame), open_frames_.end());
  Write("close " + Get(frame).name);
}

void ScriptBackend::WriteState(const Control& control) {
  std::string line = "  " + std::string(KindName(control.kind)) + " " + control.name;
  if (!control.visible) line += " (hidden)";
  if (control.kind == ControlKind::kCombo) {
    line += " " + std::to_string(control.items.size()) + " items, selection " + std::to_string(control.selection);
  } else if (control.kind == ControlKind::kRichLabel) {
    for (const TextRun& run : control.rich) line += " " + RunText(run);
  } else {
    line += " " + Quoted(control.text);
  }
  Write(line);
}

void ScriptBackend::ControlChanged(int control, Change change) {
  const Control& changed = Get(control);
  switch (change) {
    case Change::kText:
      if (changed.kind == ControlKind::kRichLabel) {
        std::string line = "rich " + changed.name;
        for (const TextRun& run : changed.rich) line += " " + RunText(run);
        Write(line);
      } else {
        Write("text " + changed.name + " " + Quoted(changed.text) + (changed.selected ? " (selected)" : ""));
      }
      break;
    case Change::kVisibility: Write("visible " + changed.name + (changed.visible ? " yes" : " no")); break;
    case Change::kSelection:
      Write("select " + changed.name + " " + std::to_string(changed.selection) + " " + Quoted(ShownText(changed)));
      break;
    case Change::kColor: Write("color " + changed.name + " " + ColorText(changed.color.value_or(0))); break;
  }
}

void ScriptBackend::FocusChanged(int control) {
  focused_ = control;
  Write("focus " + (control == 0 ? "(none)" : Get(control).name));
}

void ScriptBackend::EventDelivered(const DeliveredEvent& event) {
  std::string line = "event " + Get(event.control).name;
  if (event.code == Velum::kEventClick) {
    line += " click";
  } else {
    line += event.code == Velum::kEventEditKey ? " edit-key " : " key ";
    line += MessageName(event.message) + " ";
    line += event.message == Velum::kMessageChar ? CharacterCodeText(event.key) : KeyName(event.key);
  }
  line += !event.had_sink ? ": no sink" : event.handled ? ": handled" : ": not handled";
  Write(line);
}

std::optional<InputEvent> ScriptBackend::NextInput() {
  while (queued_.empty()) {
    if (finished_) return std::nullopt;
    if (next_step_ >= steps_.size()) {
      Finish(open_frames_.empty() ? "" : "the script ran out while " + Get(open_frames_.back()).name + " is open");
      return std::nullopt;
    }
    const ScriptStep& step = steps_[next_step_++];
    Write("step " + std::to_string(next_step_) + " (line " + std::to_string(step.line) + "): " + step.source);
    if (!Play(step)) return std::nullopt;
  }
  InputEvent input = queued_.front();
  queued_.pop_front();
  return input;
}

bool ScriptBackend::Play(const ScriptStep& step) {
  if (step.kind == Kind::kEnd) {
    Finish("");
    return false;
  }
  if (step.kind == Kind::kExpect) {
    std::string found;
    if (Check(step, found)) return true;
    Fail(step, found);
    return false;
  }
  if (step.kind == Kind::kClose) {
    InputEvent close;
    close.kind = InputEvent::Kind::kCancel;
    queued_.push_back(close);
    return true;
  }
  const Control* control = InFront(step, step.control);
  if (control == nullptr) return false;
  InputEvent input;
  input.control = control->id;
  switch (step.kind) {
    case Kind::kType: Type(control->id, step.text); break;
    case Kind::kCopy: {
      const Control* edit = InFront(step, step.text);
      if (edit == nullptr) return false;
      Type(edit->id, ShownText(*control));
      break;
    }
    case Kind::kChoose:
      if (control->kind != ControlKind::kCombo || step.number >= static_cast<int>(control->items.size())) {
        Fail(step, control->name + " has no item " + std::to_string(step.number));
        return false;
      }
      input.kind = InputEvent::Kind::kChoose;
      input.item = step.number;
      queued_.push_back(input);
      break;
    case Kind::kClick:
      input.kind = InputEvent::Kind::kClick;
      queued_.push_back(input);
      break;
    case Kind::kKey: {
      input.kind = InputEvent::Kind::kFocus;
      queued_.push_back(input);
      const std::string character = step.key == kKeyTab      ? "\t"
                                    : step.key == kKeyEnter  ? "\r"
                                    : step.key == kKeyEscape ? "\x1b"
                                    : step.key == kKeySpace  ? " "
                                    : step.key == kKeyBackspace ? "\b"
                                                                : "";
      for (const InputEvent& event : KeyPress(control->id, step.key, character, step.shift)) queued_.push_back(event);
      break;
    }
    default: break;
  }
  return true;
}

void ScriptBackend::Type(int control, const std::string& text) {
  InputEvent focus;
  focus.kind = InputEvent::Kind::kFocus;
  focus.control = control;
  queued_.push_back(focus);
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Cp936CharacterLength(std::string_view(text).substr(at));
    const std::string character = text.substr(at, length);
    for (const InputEvent& event : KeyPress(control, VirtualKeyOf(character), character)) queued_.push_back(event);
    at += length;
  }
}

const Control* ScriptBackend::InFront(const ScriptStep& step, const std::string& name) {
  const Control* control = model_->Find(model_->IdOf(name));
  if (control == nullptr) {
    Fail(step, "no control is named " + name);
  } else if (open_frames_.empty() || control->frame != open_frames_.back()) {
    Fail(step, name + " is not in the window in front");
  } else if (!control->visible) {
    Fail(step, name + " is hidden");
  } else {
    return control;
  }
  return nullptr;
}

bool ScriptBackend::Check(const ScriptStep& step, std::string& found) const {
  const Control* control = model_->Find(model_->IdOf(step.control));
  if (control == nullptr) {
    found = "no control is named " + step.control;
    return false;
  }
  const bool open = std::find(open_frames_.begin(), open_frames_.end(), control->id) != open_frames_.end();
  switch (step.condition) {
    case Condition::kVisible: found = control->visible ? "visible" : "hidden"; return control->visible;
    case Condition::kHidden: found = control->visible ? "visible" : "hidden"; return !control->visible;
    case Condition::kOpen: found = open ? "open" : "closed"; return open;
    case Condition::kClosed: found = open ? "open" : "closed"; return !open;
    case Condition::kFocus:
      found = "the focus is on " + (focused_ == 0 ? std::string("no control") : Get(focused_).name);
      return focused_ == control->id;
    case Condition::kText: found = "it shows " + Quoted(ShownText(*control)); return ShownText(*control) == step.text;
    case Condition::kContains:
      found = "it shows " + Quoted(ShownText(*control));
      return ShownText(*control).find(step.text) != std::string::npos;
    case Condition::kColor: {
      const auto color = RunsColor(*control);
      found = "its colour is " + (color ? ColorText(*color) : std::string("mixed or default"));
      return color && *color == static_cast<std::uint32_t>(step.number);
    }
    case Condition::kSelection:
      found = "selection " + std::to_string(control->selection);
      return control->selection == step.number;
  }
  return false;
}

void ScriptBackend::Fail(const ScriptStep& step, const std::string& why) {
  ++failures_;
  Write("FAIL step " + std::to_string(next_step_) + " (line " + std::to_string(step.line) + "): " + step.source +
        ": " + why);
  Finish("");
}

void ScriptBackend::Finish(const std::string& why) {
  if (finished_) return;
  if (!why.empty()) {
    ++failures_;
    Write("FAIL " + why);
  }
  finished_ = true;
  queued_.clear();
  Write(failures_ == 0 ? "script passed" : "script FAILED");
}

void ScriptBackend::Write(const std::string& line) {
  if (!transcript_.is_open()) return;
  transcript_ << line << '\n';
  transcript_.flush();
}

void ScriptBackend::Stop() {
  if (!finished_ && model_ != nullptr) {
    Finish(next_step_ < steps_.size()
               ? "steps from line " + std::to_string(steps_[next_step_].line) + " on were never played"
               : "");
  }
  transcript_.close();
}

}  // namespace VelumFab
