#include "velumfab/core/input_queue.h"

#include <string_view>

namespace VelumFab {

unsigned VirtualKeyOf(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
  switch (c) {
    case ' ': return kKeySpace;
    case '\t': return kKeyTab;
    case '\r': return kKeyEnter;
    case '\b': return kKeyBackspace;
    case 0x1B: return kKeyEscape;
    default: return 0;
  }
}

void InputQueue::Push(const InputEvent& input) {
  if (accepting_) events_.push_back(input);
}

void InputQueue::PushKey(int control, unsigned key, char32_t character, bool shift) {
  InputEvent down;
  down.kind = InputEvent::Kind::kKeyDown;
  down.control = control;
  down.key = key;
  down.shift = shift;
  Push(down);
  if (character != 0) {
    InputEvent typed = down;
    typed.kind = InputEvent::Kind::kCharacter;
    typed.character = character;
    Push(typed);
  }
  InputEvent up = down;
  up.kind = InputEvent::Kind::kKeyUp;
  Push(up);
}

void InputQueue::PushText(int control, std::u32string_view text) {
  for (char32_t c : text) PushKey(control, VirtualKeyOf(c), c);
}

InputEvent InputQueue::Pop() {
  InputEvent input = events_.front();
  events_.pop_front();
  return input;
}

}  // namespace VelumFab
