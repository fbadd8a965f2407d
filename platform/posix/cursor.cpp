#include "platform/cursor.h"

// The terminal has no mouse cursor to confine or shape. The calls succeed
// and remember the shape last set, so that callers get the previous one back
// as they expect.

bool ClipCursorTo(const CursorRect*) { return true; }

void* SetCursorShape(void* cursor) {
  static void* current = nullptr;
  void* previous = current;
  current = cursor;
  return previous;
}
