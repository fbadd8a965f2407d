// The player's input and its default actions: focus, editing at the caret,
// combo box lists, clicks and the events the program receives.
#include "framework/variable_param.h"
#include "platform/unicode_text.h"
#include "velumfab/core/control_text.h"
#include "velumfab/core/events.h"
#include "velumfab/core/ui_lib.h"

namespace VelumFab {

namespace {

using Kind = InputEvent::Kind;

bool IsClickable(const Control& control) {
  return control.kind == ControlKind::kButton || (control.kind == ControlKind::kLabel && control.clickable);
}

// A character that edits take: printable, or any character from U+0080 up.
bool Typable(char32_t character) { return character >= 0x20 && character != 0x7F; }

// The character's value in the event: its code page 936 byte, or lead and
// trail byte of a double-byte character as one number.
unsigned CharacterCode(const std::string& character) {
  unsigned code = 0;
  for (char byte : character) code = code << 8 | static_cast<unsigned char>(byte);
  return code;
}

int EventCodeOf(const Control& control) {
  return control.kind == ControlKind::kEdit ? Velum::kEventEditKey : kEventControlKey;
}

}  // namespace

void UILib::Dispatch(const InputEvent& input) {
  if (input.kind == Kind::kCancel) {
    Cancel();
    return;
  }
  const bool keyed = input.kind == Kind::kKeyDown || input.kind == Kind::kCharacter || input.kind == Kind::kKeyUp;
  const int target = keyed && input.control == 0 ? state_.Focus() : input.control;
  Control* control = model_.Find(target);
  if (control == nullptr || control->frame != state_.Front() || !control->visible) {
    if (target != 0) host_.Log(kLogInfo, "input for a control that is not in front ignored");
    return;
  }
  switch (input.kind) {
    case Kind::kFocus:
      if (TakesFocus(*control)) FocusOn(target);
      break;
    case Kind::kPlaceCaret:
      if (control->kind != ControlKind::kEdit) break;
      FocusOn(target);
      if (MoveCaret(*control, input.item)) Changed(target, Change::kCaret);
      break;
    case Kind::kClick: Click(target); break;
    case Kind::kOpenList: OpenList(target); break;
    case Kind::kMoveInList:
      if (state_.list == target && input.item >= 0 && input.item < static_cast<int>(control->items.size())) {
        state_.list_cursor = input.item;
        Changed(target, Change::kList);
      }
      break;
    case Kind::kChoose: Choose(target, input.item); break;
    case Kind::kCloseList: CloseList(); break;
    case Kind::kKeyDown: KeyDown(*control, input.key, input.shift); break;
    case Kind::kCharacter: Character(*control, input.character); break;
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
  // A click or Enter may start long work: the player sees that it is under
  // way, and what they do meanwhile is dropped.
  const bool may_take_long = code == Velum::kEventClick || (message == Velum::kMessageKeyDown && key == kKeyEnter);
  if (may_take_long) SetBusy(true);
  if (sink != nullptr) sink->OnEvent(control, &event);
  if (may_take_long) SetBusy(false);
  const bool handled = event.GetInt(Velum::kEventHandledKey, 0) != 0;
  if (backend_) backend_->EventDelivered(DeliveredEvent{control, code, message, key, handled, sink != nullptr});
  return handled;
}

void UILib::KeyDown(Control& control, unsigned key, bool shift) {
  const int id = control.id;
  if (state_.list == id) {
    ListKey(control, key);
    return;
  }
  if (Send(id, EventCodeOf(control), Velum::kMessageKeyDown, key)) return;
  Control* pressed = model_.Find(id);
  if (pressed == nullptr) return;
  if (pressed->kind == ControlKind::kEdit && (key == kKeyLeft || key == kKeyRight || key == kKeyHome ||
                                              key == kKeyEnd || key == kKeyDelete)) {
    EditKey(*pressed, key);
    return;
  }
  switch (key) {
    case kKeyTab: MoveFocus(shift); break;
    case kKeyUp:
    case kKeyLeft: MoveFocus(true); break;
    case kKeyDown:
    case kKeyRight: MoveFocus(false); break;
    case kKeyEscape: Cancel(); break;
    case kKeyEnter:
    case kKeySpace:
      if (pressed->kind == ControlKind::kCombo) {
        OpenList(id);
      } else if (IsClickable(*pressed)) {
        pending_click_ = id;
        pending_click_key_ = key;
      }
      break;
    default: break;
  }
}

// Left, Right, Home, End and Delete in an edit: the caret and the text.
void UILib::EditKey(Control& edit, unsigned key) {
  const int length = static_cast<int>(edit.shown.size());
  bool changed = false;
  Change change = Change::kCaret;
  switch (key) {
    case kKeyLeft: changed = MoveCaret(edit, edit.selected ? 0 : edit.caret - 1); break;
    case kKeyRight: changed = MoveCaret(edit, edit.selected ? length : edit.caret + 1); break;
    case kKeyHome: changed = MoveCaret(edit, 0); break;
    case kKeyEnd: changed = MoveCaret(edit, length); break;
    case kKeyDelete:
      changed = EraseAtCaret(edit);
      change = Change::kText;
      break;
    default: break;
  }
  if (changed) Changed(edit.id, change);
}

// Keys while a combo box's list is open move in the list, choose, or close
// it; they reach nothing else.
void UILib::ListKey(Control& combo, unsigned key) {
  const int count = static_cast<int>(combo.items.size());
  switch (key) {
    case kKeyUp:
    case kKeyDown:
      if (count == 0) break;
      state_.list_cursor = (state_.list_cursor + (key == kKeyDown ? 1 : count - 1)) % count;
      Changed(combo.id, Change::kList);
      break;
    case kKeyEnter:
    case kKeySpace:
      if (count > 0) Choose(combo.id, state_.list_cursor);
      CloseList();
      break;
    case kKeyEscape:
    case kKeyTab: CloseList(); break;
    default: break;
  }
  swallowed_key_ = key;
}

void UILib::Character(Control& control, char32_t character) {
  const int id = control.id;
  if (swallowed_key_ != 0) return;  // the rest of a key that acted on a list
  // The one conversion of what the player typed into the program's text.
  const std::string typed = Cp936FromUtf32(std::u32string(1, character));
  if (Send(id, EventCodeOf(control), Velum::kMessageChar, CharacterCode(typed))) return;
  Control* edit = model_.Find(id);
  if (edit == nullptr || edit->kind != ControlKind::kEdit) return;
  if (character == U'\b') {
    if (EraseBeforeCaret(*edit)) Changed(id, Change::kText);
  } else if (Typable(character)) {
    InsertAtCaret(*edit, typed, character);
    Changed(id, Change::kText);
  }
}

void UILib::KeyUp(Control& control, unsigned key) {
  const int id = control.id;
  if (swallowed_key_ != 0) {
    if (swallowed_key_ == key) swallowed_key_ = 0;
    return;
  }
  const bool handled = Send(id, EventCodeOf(control), Velum::kMessageKeyUp, key);
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
  if (!handled && control != nullptr && control->action == ButtonAction::kClosePanel && state_.IsOpen(control->frame)) {
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
  if (state_.list == id) state_.list_cursor = item;
  Changed(id, Change::kSelection);
}

void UILib::OpenList(int id) {
  Control* combo = model_.Find(id);
  if (combo == nullptr || combo->kind != ControlKind::kCombo || state_.list == id) return;
  FocusOn(id);
  state_.list = id;
  state_.list_cursor = combo->selection < 0 ? 0 : combo->selection;
  Changed(id, Change::kList);
}

void UILib::CloseList() {
  const int combo = state_.list;
  if (combo == 0) return;
  state_.list = 0;
  Changed(combo, Change::kList);
}

void UILib::Cancel() {
  if (state_.list != 0) {
    CloseList();
    return;
  }
  const Control* frame = model_.Find(state_.Front());
  if (frame == nullptr || frame->cancel.empty()) return;
  const Control* cancel = model_.Find(model_.IdOf(frame->cancel));
  if (cancel != nullptr && cancel->visible) Click(cancel->id);
}

void UILib::MoveFocus(bool backwards) {
  const int frame = state_.Front();
  if (frame != 0) FocusOn(model_.NextInFocusOrder(frame, state_.Focus(), backwards));
}

}  // namespace VelumFab
