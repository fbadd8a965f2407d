#pragma once

#include <map>
#include <vector>

namespace VelumFab {

// A window running its modal loop.
struct OpenFrame {
  int id = 0;
  bool ended = false;  // EndModal was called: the loop returns once the loops inside it have
  int result = -1;
};

// What the core keeps beyond the controls, for backends to read: the open
// windows, the focus, an open list, and whether the program is at work.
struct UiState {
  std::vector<OpenFrame> frames;  // innermost last
  std::map<int, int> focus;       // the focused control of each frame
  int list = 0;                   // the combo box whose list is open, or 0
  int list_cursor = 0;            // the highlighted item of that list
  bool busy = false;              // the program is at work on an event

  // The window in front, or 0.
  int Front() const { return frames.empty() ? 0 : frames.back().id; }
  // The focused control of the window in front, or 0.
  int Focus() const {
    const auto found = focus.find(Front());
    return found == focus.end() ? 0 : found->second;
  }
  bool IsOpen(int frame) const {
    for (const OpenFrame& open : frames) {
      if (open.id == frame) return true;
    }
    return false;
  }
};

}  // namespace VelumFab
