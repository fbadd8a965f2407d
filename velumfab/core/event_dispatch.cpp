#include "framework/variable_param.h"
#include "platform/text_encoding.h"
#include "velumfab/core/events.h"
#include "velumfab/core/ui_lib.h"

namespace VelumFab {

namespace {

using Kind = InputEvent::Kind;

bool IsClickable(const Control& control) {
  return control.kind == ControlKind::kButton || (control.kind == ControlKind::kLabel && control.clickable);
}

// A character that edits type: printable ASCII, or any character from 0x80 up.
bool Typable(const std::string& character) {
  const unsigned char first = static_cast<unsigned char>(character[0]);
  return character.size() > 1 || (first >= 0x20 && first != 0x7F);
}

// The character's value in the event: its byte, or lead and trail byte of a
// double-byte character as one number.
unsigned CharacterCode(const std::string& character) {
  unsigned code = 0;
  for (char byte : character) code = code << 8 | static_cast<unsigned char>(byte);
  return code;
}

void RemoveLastCharacter(std::string& text) {
  std::size_t last = 0;
  for (std::size_t at = 0; at < text.size(); at += Cp936CharacterLength(std::string_view(text).substr(at))) last = at;
  text.erase(last);
}

}  // namespace

std::vector<InputEvent> KeyPress(int control, unsigned key, const std::string& character, bool shift) {
  std::vector<InputEvent> events;
  InputEvent down;
  down.kind = Kind::kKeyDown;
  down.control = control;
  down.key = key;
  down.shift = shift;
  events.push_back(down);
  if (!character.empty()) {
    InputEvent typed = down;
    typed.kind = Kind::kCharacter;
    typed.character = character;
    events.push_back(typed);
  }
  InputEvent up = down;
  up.kind = Kind::kKeyUp;
  events.push_back(up);
  return events;
}

unsigned VirtualKeyOf(const std::string& character) {
  if (character.size() != 1) return 0;
  const char c = character[0];
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
  switch (c) {
    case ' ': return kKeySpace;
    case '\t': return kKeyTab;
    case '\r': return kKeyEnter;
    case '\b': return kKeyBackspace;
    case '\x1b': return kKeyEscape;
    default: return 0;
  }
}

void UILib::Dispatch(const InputEvent& input) {
  const bool keyed = input.kind == Kind::kKeyDown || input.kind == Kind::kCharacter || input.kind == Kind::kKeyUp;
  const int target = keyed && input.control == 0 ? GetFocusControlId() : input.control;
  if (input.kind == Kind::kCancel) {
    Cancel();
    return;
  }
  Control* control = model_.Find(target);
  if (control == nullptr || control->frame != TopFrame() || !control->visible) {
    if (target != 0) host_.Log(kLogInfo, "input for a control that is not in front ignored");
    return;
  }
  switch (input.kind) {
    case Kind::kFocus:
      if (TakesFocus(*control)) FocusOn(target);
      break;
    case Kind::kClick: Click(target); break;
    case Kind::kChoose: Choose(target, input.item); break;
    case Kind::kKeyDown: KeyDown(*control, input.key, input.shift); break;
    case Kind::kCharacter:
      if (!input.character.empty()) Character(*control, input.character);
      break;
    case Kind::kKeyUp: KeyUp(*control, input.key); break;
    case Kind::kCancel: break;
  }
}

bool UILib::Send(int control, int code, int message, unsigned key) {
  const Control* target = model_.Find(control);
  const auto handler = handlers_.find(target == nullptr ? 0 : target->owner);
  Velum::IUILibEvent* sink = handler != handlers_.end() && handler->second != nullptr ? handler->second : sink_;
  Velum::CVariableParam2 event;
  event.SetInt(Velum::kEventCodeKey, code);
  if (message != 0) {
    event.SetInt(Velum::kWindowMessageKey, message);
    event.SetDword(Velum::kVirtualKeyKey, key);
  }
  if (sink != nullptr) sink->OnEvent(control, &event);
  const bool handled = event.GetInt(Velum::kEventHandledKey, 0) != 0;
  if (backend_) backend_->EventDelivered(DeliveredEvent{control, code, message, key, handled, sink != nullptr});
  return handled;
}

void UILib::KeyDown(Control& control, unsigned key, bool shift) {
  const int id = control.id;
  const int code = control.kind == ControlKind::kEdit ? Velum::kEventEditKey : kEventControlKey;
  if (Send(id, code, Velum::kMessageKeyDown, key)) return;
  switch (key) {
    case kKeyTab: MoveFocus(shift); break;
    case kKeyUp:
    case kKeyLeft: MoveFocus(true); break;
    case kKeyDown:
    case kKeyRight: MoveFocus(false); break;
    case kKeyEscape: Cancel(); break;
    case kKeyEnter:
    case kKeySpace:
      if (const Control* pressed = model_.Find(id); pressed != nullptr && IsClickable(*pressed)) {
        pending_click_ = id;
        pending_click_key_ = key;
      }
      break;
    default: break;
  }
}

void UILib::Character(Control& control, const std::string& character) {
  const int id = control.id;
  const int code = control.kind == ControlKind::kEdit ? Velum::kEventEditKey : kEventControlKey;
  if (Send(id, code, Velum::kMessageChar, CharacterCode(character))) return;
  Control* edit = model_.Find(id);
  if (edit == nullptr || edit->kind != ControlKind::kEdit) return;
  if (character == "\b") {
    if (edit->selected) {
      edit->text.clear();
    } else {
      RemoveLastCharacter(edit->text);
    }
  } else if (Typable(character)) {
    if (edit->selected) edit->text.clear();
    edit->text += character;
  } else {
    return;
  }
  edit->selected = false;
  Changed(id, Change::kText);
}

void UILib::KeyUp(Control& control, unsigned key) {
  const int id = control.id;
  const int code = control.kind == ControlKind::kEdit ? Velum::kEventEditKey : kEventControlKey;
  const bool handled = Send(id, code, Velum::kMessageKeyUp, key);
  if (pending_click_ != id || pending_click_key_ != key) return;
  pending_click_ = 0;
  if (!handled) Click(id);
}

void UILib::Click(int id) {
  const Control* control = model_.Find(id);
  if (control == nullptr) return;
  if (TakesFocus(*control)) FocusOn(id);
  if (!IsClickable(*control)) return;
  const bool handled = Send(id, Velum::kEventClick, 0, 0);
  control = model_.Find(id);
  if (!handled && control != nullptr && control->action == ButtonAction::kClosePanel && IsOpen(control->frame)) {
    EndModal(control->frame, id);
  }
}

void UILib::Choose(int id, int item) {
  Control* combo = model_.Find(id);
  if (combo == nullptr || combo->kind != ControlKind::kCombo) return;
  if (item < 0 || item >= static_cast<int>(combo->items.size())) {
    host_.Log(kLogWarning, "no item " + std::to_string(item) + " in \"" + combo->name + "\"");
    return;
  }
  FocusOn(id);
  combo->selection = item;
  Changed(id, Change::kSelection);
}

void UILib::Cancel() {
  const Control* frame = model_.Find(TopFrame());
  if (frame == nullptr || frame->cancel.empty()) return;
  const Control* cancel = model_.Find(model_.IdOf(frame->cancel));
  if (cancel != nullptr && cancel->visible) Click(cancel->id);
}

void UILib::MoveFocus(bool backwards) {
  const int frame = TopFrame();
  if (frame != 0) FocusOn(model_.NextInFocusOrder(frame, frame_focus_[frame], backwards));
}

}  // namespace VelumFab
