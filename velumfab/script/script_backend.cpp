#include "velumfab/script/script_backend.h"

#include <cstdio>

#include "framework/velum.h"
#include "platform/unicode_text.h"
#include "velumfab/core/events.h"

namespace VelumFab {

namespace {

using Kind = ScriptStep::Kind;
using Condition = ScriptStep::Condition;

std::string Quoted(std::u32string_view text) { return "\"" + Utf8FromUtf32(text) + "\""; }

std::string KeyName(unsigned key) {
  switch (key) {
    case kKeyTab: return "Tab";
    case kKeyEnter: return "Enter";
    case kKeyEscape: return "Esc";
    case kKeySpace: return "Space";
    case kKeyBackspace: return "Backspace";
    case kKeyDelete: return "Delete";
    case kKeyUp: return "Up";
    case kKeyDown: return "Down";
    case kKeyLeft: return "Left";
    case kKeyRight: return "Right";
    case kKeyHome: return "Home";
    case kKeyEnd: return "End";
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
  return Quoted(run.shown) + " [" + looks + "]";
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

std::u32string ShownText(const Control& control) {
  if (control.kind == ControlKind::kCombo && control.selection >= 0) {
    return control.shown_items[static_cast<std::size_t>(control.selection)];
  }
  return control.shown;
}

char32_t CharacterOfKey(unsigned key) {
  switch (key) {
    case kKeyTab: return U'\t';
    case kKeyEnter: return U'\r';
    case kKeyEscape: return 0x1B;
    case kKeySpace: return U' ';
    case kKeyBackspace: return U'\b';
    default: return 0;
  }
}

}  // namespace

ScriptBackend::ScriptBackend(const LibrarySettings& settings, const HostServices& host)
    : settings_(settings), host_(host) {}

bool ScriptBackend::Start(const ControlModel& model, const UiState& state, std::string& reason) {
  model_ = &model;
  state_ = &state;
  if (!settings_.transcript.empty()) {
    // Appended to: what the host printed before the dialog opened (its
    // message boxes) stays in front.
    transcript_.open(settings_.transcript, std::ios::app | std::ios::binary);
    if (!transcript_) {
      reason = "cannot write the transcript " + settings_.transcript;
      return false;
    }
    // The host's printed message boxes go into it too, while the run lasts.
    host_.SetValue(Velum::kTranscriptValue, settings_.transcript);
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
    Finish(reason);
    // What the host shows of the failure stays out: the closing line is the last.
    host_.SetValue(Velum::kTranscriptValue, "");
    return false;
  }
  Write("script " + settings_.script + ": " + std::to_string(steps_.size()) + " steps");
  return true;
}

void ScriptBackend::FrameOpened(int frame) {
  Write("open " + Get(frame).name + " " + Quoted(Get(frame).shown));
  for (const Control& control : model_->Controls()) {
    if (control.frame == frame && control.id != frame) WriteState(control);
  }
}

void ScriptBackend::FrameClosed(int frame) { Write("close " + Get(frame).name); }

void ScriptBackend::WriteState(const Control& control) {
  std::string line = "  " + std::string(KindName(control.kind)) + " " + control.name;
  if (!control.visible) line += " (hidden)";
  if (control.kind == ControlKind::kCombo) {
    line += " " + std::to_string(control.items.size()) + " items, selection " + std::to_string(control.selection);
  } else if (control.kind == ControlKind::kRichLabel) {
    for (const TextRun& run : control.rich) line += " " + RunText(run);
  } else {
    line += " " + Quoted(control.shown);
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
        Write("text " + changed.name + " " + Quoted(changed.shown) + (changed.selected ? " (selected)" : ""));
      }
      break;
    case Change::kCaret:
      Write("caret " + changed.name + " " + (changed.selected ? std::string("(all selected)") : std::to_string(changed.caret)));
      break;
    case Change::kVisibility: Write("visible " + changed.name + (changed.visible ? " yes" : " no")); break;
    case Change::kSelection:
      Write("select " + changed.name + " " + std::to_string(changed.selection) + " " + Quoted(ShownText(changed)));
      break;
    case Change::kColor: Write("color " + changed.name + " " + ColorText(changed.color.value_or(0))); break;
    case Change::kList:
      Write("list " + changed.name + (state_->list == control ? " open at " + std::to_string(state_->list_cursor) : " closed"));
      break;
  }
}

void ScriptBackend::FocusChanged() {
  const int focus = state_->Focus();
  Write("focus " + (focus == 0 ? "(none)" : Get(focus).name));
}

void ScriptBackend::BusyChanged() { Write(state_->busy ? "busy" : "ready"); }

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

bool ScriptBackend::ReadInput(InputQueue& queue) {
  while (queue.Empty()) {
    if (finished_) return false;
    if (ending_) return CloseWindowInFront(queue);
    if (next_step_ >= steps_.size()) {
      const int front = state_->Front();
      Finish(front == 0 ? "" : "the script ran out while " + Get(front).name + " is open");
      return false;
    }
    const ScriptStep& step = steps_[next_step_++];
    Write("step " + std::to_string(next_step_) + " (line " + std::to_string(step.line) + "): " + step.source);
    if (!Play(step, queue)) return false;
  }
  return true;
}

bool ScriptBackend::CloseWindowInFront(InputQueue& queue) {
  const int front = state_->Front();
  if (front == 0) return false;
  if (front == closing_frame_) {
    Finish("end: " + Get(front).name + " stayed open after its close box");
    return false;
  }
  closing_frame_ = front;
  InputEvent close;
  close.kind = InputEvent::Kind::kCancel;
  queue.Push(close);
  return true;
}

bool ScriptBackend::Play(const ScriptStep& step, InputQueue& queue) {
  if (step.kind == Kind::kEnd) {
    ending_ = true;
    return CloseWindowInFront(queue);
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
    queue.Push(close);
    return true;
  }
  const Control* control = InFront(step, step.control);
  if (control == nullptr) return false;
  InputEvent input;
  input.control = control->id;
  switch (step.kind) {
    case Kind::kType:
    case Kind::kCopy: {
      const Control* edit = step.kind == Kind::kType ? control : InFront(step, step.edit);
      if (edit == nullptr) return false;
      input.kind = InputEvent::Kind::kFocus;
      input.control = edit->id;
      queue.Push(input);
      queue.PushText(edit->id, step.kind == Kind::kType ? step.text : ShownText(*control));
      break;
    }
    case Kind::kChoose:
      if (control->kind != ControlKind::kCombo || step.number >= static_cast<int>(control->items.size())) {
        Fail(step, control->name + " has no item " + std::to_string(step.number));
        return false;
      }
      input.kind = InputEvent::Kind::kChoose;
      input.item = step.number;
      queue.Push(input);
      break;
    case Kind::kClick:
      input.kind = InputEvent::Kind::kClick;
      queue.Push(input);
      break;
    case Kind::kKey:
      input.kind = InputEvent::Kind::kFocus;
      queue.Push(input);
      queue.PushKey(control->id, step.key, CharacterOfKey(step.key), step.shift);
      break;
    default: break;
  }
  return true;
}

const Control* ScriptBackend::InFront(const ScriptStep& step, const std::string& name) {
  const Control* control = model_->Find(model_->IdOf(name));
  if (control == nullptr) {
    Fail(step, "no control is named " + name);
  } else if (control->frame != state_->Front()) {
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
  const bool open = state_->IsOpen(control->id);
  switch (step.condition) {
    case Condition::kVisible: found = control->visible ? "visible" : "hidden"; return control->visible;
    case Condition::kHidden: found = control->visible ? "visible" : "hidden"; return !control->visible;
    case Condition::kOpen: found = open ? "open" : "closed"; return open;
    case Condition::kClosed: found = open ? "open" : "closed"; return !open;
    case Condition::kFocus: {
      const int focus = state_->Focus();
      found = "the focus is on " + (focus == 0 ? std::string("no control") : Get(focus).name);
      return focus == control->id;
    }
    case Condition::kText: found = "it shows " + Quoted(ShownText(*control)); return ShownText(*control) == step.text;
    case Condition::kContains:
      found = "it shows " + Quoted(ShownText(*control));
      return ShownText(*control).find(step.text) != std::u32string::npos;
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
  Finish("step " + std::to_string(next_step_) + " (line " + std::to_string(step.line) + "): " + step.source + ": " + why);
}

void ScriptBackend::Finish(const std::string& why) {
  if (finished_) return;
  if (!why.empty()) {
    ++failures_;
    Write("FAIL " + why);
  }
  finished_ = true;
  Write(failures_ == 0 ? "script passed" : "script FAILED");
  if (failures_ > 0) host_.SetValue(Velum::kLibraryFailureValue, "the script " + settings_.script + " failed: " + why);
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
  // What the host shows after the run is no part of its transcript: the
  // closing line stays the last.
  if (!settings_.transcript.empty()) host_.SetValue(Velum::kTranscriptValue, "");
}

std::unique_ptr<Backend> MakeScriptBackend(const LibrarySettings& settings, const HostServices& host) {
  return std::make_unique<ScriptBackend>(settings, host);
}

}  // namespace VelumFab
