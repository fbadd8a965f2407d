#pragma once

// The mouse cursor, for the UI library.

struct CursorRect {
  long left, top, right, bottom;
};

// Confines the cursor to `rect` (null: frees it); false when that fails.
bool ClipCursorTo(const CursorRect* rect);

// Sets the cursor shape; returns the previous one.
void* SetCursorShape(void* cursor);
