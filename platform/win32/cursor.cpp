#include "platform/cursor.h"

#include <windows.h>

bool ClipCursorTo(const CursorRect* rect) {
  if (rect == nullptr) return ClipCursor(nullptr) != FALSE;
  const RECT area{rect->left, rect->top, rect->right, rect->bottom};
  return ClipCursor(&area) != FALSE;
}

void* SetCursorShape(void* cursor) { return SetCursor(static_cast<HCURSOR>(cursor)); }
