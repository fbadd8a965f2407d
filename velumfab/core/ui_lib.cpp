#include "velumfab/core/ui_lib.h"

#include <algorithm>

#include "velumfab/core/control_text.h"
#include "platform/settings_paths.h"
#include "velumfab/core/layout_reader.h"

namespace VelumFab {

namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string KindList(std::initializer_list<ControlKind> kinds) {
  std::string list;
  for (ControlKind kind : kinds) list += (list.empty() ? "" : ", ") + std::string(KindName(kind));
  return list;
}

const BackendEntry* FindBackend(const BackendTable& backends, const std::string& name) {
  for (const BackendEntry& entry : backends) {
    if (name == entry.name) return &entry;
  }
  return nullptr;
}

std::string BackendNames(const BackendTable& backends) {
  std::string names;
  for (const BackendEntry& entry : backends) names += (names.empty() ? "" : ", ") + std::string(entry.name);
  return names;
}

}  // namespace

UILib::UILib(std::string directory, const BackendTable& backends)
    : directory_(std::move(directory)), backends_(backends) {}

UILib::~UILib() { Shutdown(); }

void UILib::Init(int) {
  host_ = HostServices::OfThisProcess();
  settings_ = ReadLibrarySettings(directory_, backends_.empty() ? "" : backends_.front().name);
}

int UILib::LoadLayout(const char* file_name, int) {
  if (file_name == nullptr) return 0;
  if (!state_.frames.empty()) {
    host_.Log(kLogError, std::string("LoadLayout(") + file_name + ") while a modal loop runs: refused");
    return 0;
  }
  const std::string path = SettingsPathIn(directory_, file_name);
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
  state_ = UiState{};
  handles_.Clear();
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

int UILib::GetFocusControlId() { return state_.Focus(); }

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
  if (control->frame == state_.Front()) {
    FocusOn(id);
  } else {
    state_.focus[control->frame] = id;  // it gets the focus when its frame is in front
  }
}

const char* UILib::GetText(int id) {
  const Control* control = ControlFor(id, "GetText", {ControlKind::kEdit, ControlKind::kLabel, ControlKind::kButton});
  return control == nullptr ? empty_text_.c_str() : control->text.c_str();
}

void UILib::SetText(int id, const char* text) {
  Control* control = ControlFor(id, "SetText", {ControlKind::kEdit, ControlKind::kLabel, ControlKind::kButton});
  if (control == nullptr) return;
  SetControlText(*control, text == nullptr ? "" : text);
  Changed(id, Change::kText);
}

void UILib::SetRichText(int id, const char* markup) {
  Control* control = ControlFor(id, "SetRichText", {ControlKind::kRichLabel});
  if (control == nullptr) return;
  SetRichMarkup(*control, markup == nullptr ? "" : markup);
  Changed(id, Change::kText);
}

void UILib::ClearText(int id) {
  Control* control = ControlFor(id, "ClearText", {ControlKind::kRichLabel});
  if (control == nullptr) return;
  SetRichMarkup(*control, "");
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
  Changed(id, Change::kCaret);
}

bool UILib::EnsureBackend() {
  if (backend_) return true;
  const BackendEntry* entry = FindBackend(backends_, settings_.backend);
  std::string reason;
  if (entry == nullptr) {
    reason = "this build has no backend \"" + settings_.backend + "\"; it has " + BackendNames(backends_);
  } else {
    backend_ = entry->make(settings_, host_);
    if (!backend_->Start(model_, state_, reason)) backend_.reset();
  }
  if (!backend_) {
    Fail("the " + settings_.backend + " backend (chosen by " + settings_.backend_source + ") cannot run: " + reason);
    return false;
  }
  host_.Log(kLogStandard, "backend " + settings_.backend + " chosen by " + settings_.backend_source);
  return true;
}

void UILib::Fail(const std::string& why) {
  host_.Log(kLogError, why);
  host_.SetValue(Velum::kLibraryFailureValue, why);
}

int UILib::RunModal(int id) {
  Control* frame = ControlFor(id, "RunModal", {ControlKind::kDialog, ControlKind::kPanel});
  if (frame == nullptr) return -1;
  if (state_.IsOpen(id)) {
    host_.Log(kLogWarning, "RunModal on " + Quoted(frame->name) + " ignored: it runs already");
    return -1;
  }
  if (!EnsureBackend()) return -1;
  SetBusy(false);  // a window the program opens while at work takes input
  CloseList();
  state_.frames.push_back(OpenFrame{id});
  const std::size_t index = state_.frames.size() - 1;
  const std::vector<int> order = model_.FocusOrder(id);
  int& focus = state_.focus[id];
  if (std::find(order.begin(), order.end(), focus) == order.end()) focus = order.empty() ? 0 : order.front();
  backend_->FrameOpened(id);
  backend_->FocusChanged();
  while (!state_.frames[index].ended) {
    if (queue_.Empty() && !(backend_ && backend_->ReadInput(queue_))) {
      host_.Log(kLogWarning, "no more input while " + Quoted(model_.Find(id)->name) + " is open: closing it");
      break;
    }
    if (!queue_.Empty()) Dispatch(queue_.Pop());
  }
  const int result = state_.frames[index].result;
  if (state_.list != 0 && model_.Find(state_.list)->frame == id) CloseList();
  state_.frames.pop_back();
  if (backend_) {
    backend_->FrameClosed(id);
    if (!state_.frames.empty()) backend_->FocusChanged();
  }
  return result;
}

void UILib::EndModal(int id, int result) {
  const Control* frame = ControlFor(id, "EndModal", {ControlKind::kDialog, ControlKind::kPanel});
  if (frame == nullptr) return;
  for (OpenFrame& open : state_.frames) {
    if (open.id != id) continue;
    open.ended = true;  // its loop returns once the loops inside it have
    open.result = result;
    return;
  }
  host_.Log(kLogWarning, "EndModal on " + Quoted(frame->name) + " ignored: it is not running");
}

void UILib::FocusOn(int id) {
  const int frame = state_.Front();
  if (frame == 0) return;
  const int before = state_.focus[frame];
  if (before == id) return;
  if (Control* previous = model_.Find(before); previous != nullptr && previous->selected) {
    previous->selected = false;
    Changed(before, Change::kCaret);
  }
  if (state_.list != 0 && state_.list != id) CloseList();
  state_.focus[frame] = id;
  if (backend_) backend_->FocusChanged();
}

void UILib::RefocusIfHidden(const Control& control) {
  if (control.frame != state_.Front() || state_.Focus() != control.id) return;
  FocusOn(model_.NextInFocusOrder(control.frame, control.id, false));
}

void UILib::SetBusy(bool busy) {
  if (state_.busy == busy) return;
  if (busy) {
    if (backend_) backend_->TakePendingInput(queue_);
    queue_.Accept(false);
    state_.busy = true;
    if (backend_) backend_->BusyChanged();
    return;
  }
  state_.busy = false;
  if (backend_) {
    backend_->BusyChanged();  // the window takes input again: what was made meanwhile can be told
    backend_->DropPendingInput();
  }
  queue_.Accept(true);
}

}  // namespace VelumFab
