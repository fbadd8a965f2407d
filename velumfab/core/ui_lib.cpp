#include "velumfab/core/ui_lib.h"

#include <algorithm>

#include "velumfab/core/layout_reader.h"

namespace VelumFab {

namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string KindList(std::initializer_list<ControlKind> kinds) {
  std::string list;
  for (ControlKind kind : kinds) list += (list.empty() ? "" : ", ") + std::string(KindName(kind));
  return list;
}

}  // namespace

UILib::UILib(std::string directory, BackendCatalog backends)
    : directory_(std::move(directory)), backends_(backends) {}

UILib::~UILib() { Shutdown(); }

void UILib::Init(int) {
  host_ = HostServices::OfThisProcess();
  settings_ = ReadLibrarySettings(directory_, backends_.default_name);
}

int UILib::LoadLayout(const char* file_name, int) {
  if (file_name == nullptr) return 0;
  if (!frames_.empty()) {
    host_.Log(kLogError, std::string("LoadLayout(") + file_name + ") while a modal loop runs: refused");
    return 0;
  }
  const std::string path = PathIn(directory_, file_name);
  const std::optional<std::string> text = host_.ReadFile(path, kMaxLayoutBytes);
  if (!text) {
    host_.Log(kLogError, "cannot read the layout " + path + " (missing, unreadable or larger than " +
                             std::to_string(kMaxLayoutBytes) + " bytes)");
    return 0;
  }
  LayoutReading reading = ReadLayout(*text, path);
  if (!reading.model) {
    host_.Log(kLogError, "layout not loaded: " + reading.error);
    return 0;
  }
  Shutdown();
  model_ = std::move(*reading.model);
  handles_.Clear();
  frame_focus_.clear();
  for (const Control& control : model_.Controls()) handles_.Make(*this, control.id, control.kind == ControlKind::kEdit);
  host_.Log(kLogStandard, "layout " + path + " loaded: " + std::to_string(model_.Controls().size()) + " controls");
  return 1;
}

void UILib::Shutdown() {
  if (backend_) backend_->Stop();
  backend_.reset();
}

int UILib::GetControlId(const char* control_name, int) {
  const int id = control_name == nullptr ? 0 : model_.IdOf(control_name);
  if (id == 0) host_.Log(kLogWarning, "no control is named " + Quoted(control_name == nullptr ? "" : control_name));
  return id;
}

Velum::IControl* UILib::GetControl(int control_id) { return handles_.Find(control_id); }

int UILib::GetFocusControlId() {
  const int frame = TopFrame();
  return frame == 0 ? 0 : frame_focus_[frame];
}

void UILib::SetEventSink(int, Velum::IUILibEvent* sink) { sink_ = sink; }

Control* UILib::ControlFor(int id, const char* operation, std::initializer_list<ControlKind> kinds) {
  Control* control = model_.Find(id);
  if (control == nullptr) return nullptr;
  if (std::find(kinds.begin(), kinds.end(), control->kind) != kinds.end()) return control;
  host_.Log(kLogWarning, std::string(operation) + " on the " + KindName(control->kind) + " " + Quoted(control->name) +
                             " ignored: it applies to " + KindList(kinds));
  return nullptr;
}

void UILib::Changed(int id, Change change) {
  if (backend_) backend_->ControlChanged(id, change);
}

void UILib::ApplyParams(int id, Velum::IVariableParam* params) {
  Control* control = ControlFor(id, "ApplyParams", {ControlKind::kRichLabel});
  if (control == nullptr || params == nullptr || params->HasDword(Velum::kTextColorKey) == 0) return;
  control->color = params->GetDword(Velum::kTextColorKey, 0);
  for (TextRun& run : control->rich) run.color = control->color;
  Changed(id, Change::kColor);
}

void UILib::SetVisible(int id, bool visible) {
  Control* control = ControlFor(id, "SetVisible", {ControlKind::kLabel, ControlKind::kRichLabel, ControlKind::kEdit,
                                                   ControlKind::kButton, ControlKind::kCombo});
  if (control == nullptr || control->visible == visible) return;
  control->visible = visible;
  Changed(id, Change::kVisibility);
  if (!visible) RefocusIfHidden(*control);
}

void UILib::SetFocus(int id) {
  Control* control = ControlFor(id, "SetFocus", {ControlKind::kEdit, ControlKind::kButton, ControlKind::kCombo,
                                                 ControlKind::kLabel});
  if (control == nullptr) return;
  if (!TakesFocus(*control)) {
    host_.Log(kLogWarning, "SetFocus on " + Quoted(control->name) + " ignored: it cannot take the focus now");
    return;
  }
  if (control->frame == TopFrame()) {
    FocusOn(id);
  } else {
    frame_focus_[control->frame] = id;  // it gets the focus when its frame is in front
  }
}

const char* UILib::GetText(int id) {
  const Control* control = ControlFor(id, "GetText", {ControlKind::kEdit, ControlKind::kLabel, ControlKind::kButton});
  return control == nullptr ? empty_text_.c_str() : control->text.c_str();
}

void UILib::SetText(int id, const char* text) {
  Control* control = ControlFor(id, "SetText", {ControlKind::kEdit, ControlKind::kLabel, ControlKind::kButton});
  if (control == nullptr) return;
  control->text = text == nullptr ? "" : text;
  control->selected = false;
  Changed(id, Change::kText);
}

void UILib::SetRichText(int id, const char* markup) {
  Control* control = ControlFor(id, "SetRichText", {ControlKind::kRichLabel});
  if (control == nullptr) return;
  control->text = markup == nullptr ? "" : markup;
  control->rich = ParseRichText(control->text);
  for (TextRun& run : control->rich) {
    if (!run.color) run.color = control->color;
  }
  Changed(id, Change::kText);
}

void UILib::ClearText(int id) {
  Control* control = ControlFor(id, "ClearText", {ControlKind::kRichLabel});
  if (control == nullptr) return;
  control->text.clear();
  control->rich.clear();
  Changed(id, Change::kText);
}

int UILib::GetCurSel(int id) {
  const Control* control = ControlFor(id, "GetCurSel", {ControlKind::kCombo});
  return control == nullptr ? -1 : control->selection;
}

void UILib::SetEventHandler(int id, Velum::IUILibEvent* sink) {
  if (ControlFor(id, "SetEventHandler", {ControlKind::kDialog}) != nullptr) handlers_[id] = sink;
}

void UILib::OnTabFocus(int id) {
  Control* control = ControlFor(id, "OnTabFocus", {ControlKind::kEdit});
  if (control == nullptr || GetFocusControlId() != id || control->text.empty()) return;
  control->selected = true;
  Changed(id, Change::kText);
}

bool UILib::EnsureBackend() {
  if (backend_) return true;
  std::string reason;
  backend_ = backends_.make(settings_, host_, reason);
  if (backend_ && !backend_->Start(model_, reason)) backend_.reset();
  if (!backend_) {
    host_.Log(kLogError, "the " + settings_.backend + " backend (chosen by " + settings_.backend_source +
                             ") cannot run: " + reason);
    return false;
  }
  host_.Log(kLogStandard, "backend " + settings_.backend + " chosen by " + settings_.backend_source);
  return true;
}

bool UILib::IsOpen(int frame) const {
  return std::any_of(frames_.begin(), frames_.end(), [frame](const Frame& open) { return open.id == frame; });
}

int UILib::TopFrame() const { return frames_.empty() ? 0 : frames_.back().id; }

int UILib::RunModal(int id) {
  Control* frame = ControlFor(id, "RunModal", {ControlKind::kDialog, ControlKind::kPanel});
  if (frame == nullptr) return -1;
  if (IsOpen(id)) {
    host_.Log(kLogWarning, "RunModal on " + Quoted(frame->name) + " ignored: it runs already");
    return -1;
  }
  if (!EnsureBackend()) return -1;
  frames_.push_back(Frame{id});
  const std::size_t index = frames_.size() - 1;
  backend_->FrameOpened(id);
  const std::vector<int> order = model_.FocusOrder(id);
  int focus = frame_focus_[id];
  if (std::find(order.begin(), order.end(), focus) == order.end()) focus = order.empty() ? 0 : order.front();
  FocusOn(focus);
  while (!frames_[index].ended) {
    const std::optional<InputEvent> input = backend_ ? backend_->NextInput() : std::nullopt;
    if (!input) {
      host_.Log(kLogWarning, "no more input while " + Quoted(model_.Find(id)->name) + " is open: closing it");
      break;
    }
    Dispatch(*input);
  }
  const int result = frames_[index].result;
  frames_.pop_back();
  if (backend_) {
    backend_->FrameClosed(id);
    if (!frames_.empty()) backend_->FocusChanged(GetFocusControlId());
  }
  return result;
}

void UILib::EndModal(int id, int result) {
  const Control* frame = ControlFor(id, "EndModal", {ControlKind::kDialog, ControlKind::kPanel});
  if (frame == nullptr) return;
  for (Frame& open : frames_) {
    if (open.id != id) continue;
    open.ended = true;  // its loop returns once the loops inside it have
    open.result = result;
    return;
  }
  host_.Log(kLogWarning, "EndModal on " + Quoted(frame->name) + " ignored: it is not running");
}

void UILib::FocusOn(int id) {
  const int frame = TopFrame();
  if (frame == 0) return;
  const int before = frame_focus_[frame];
  if (Control* previous = model_.Find(before); previous != nullptr && previous->selected && before != id) {
    previous->selected = false;
    Changed(before, Change::kText);
  }
  frame_focus_[frame] = id;
  if (backend_) backend_->FocusChanged(id);
}

void UILib::RefocusIfHidden(const Control& control) {
  if (control.frame != TopFrame() || frame_focus_[control.frame] != control.id) return;
  FocusOn(model_.NextInFocusOrder(control.frame, control.id, false));
}

}  // namespace VelumFab
