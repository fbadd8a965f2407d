#include "platform/unicode_text.h"
#include "velumfab/win32/win32_backend.h"

namespace VelumFab {

namespace {

constexpr wchar_t kCutMark[] = L"\u2026";

// The core's lines, each piece in its run's font and colour (a COLORREF
// already, 0x00BBGGRR); a text with more lines than the label holds ends in
// a mark.
void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  Win32Backend* backend = BackendOf(window);
  const Control* label = backend == nullptr ? nullptr : backend->ControlOf(window);
  if (label != nullptr) {
    RECT client;
    GetClientRect(window, &client);
    SetBkMode(context, TRANSPARENT);
    const HGDIOBJ original = SelectObject(context, GetStockObject(DEFAULT_GUI_FONT));
    int line_height = 1;
    const std::vector<RichLine> lines = backend->RichLines(*label, context, client.right, line_height);
    const int rows = std::max(1, static_cast<int>(client.bottom / std::max(1, line_height)));
    for (int i = 0; i < rows && i < static_cast<int>(lines.size()); ++i) {
      for (const PlacedText& piece : lines[static_cast<std::size_t>(i)]) {
        SelectObject(context, backend->Font(piece.look->bold, piece.look->size == 0 ? kFontPoints : piece.look->size));
        SetTextColor(context, piece.look->color.value_or(GetSysColor(COLOR_WINDOWTEXT)));
        const std::u16string text = Utf16FromUtf32(piece.text);
        TextOutW(context, piece.x, i * line_height, reinterpret_cast<const wchar_t*>(text.c_str()),
                 static_cast<int>(text.size()));
      }
    }
    if (static_cast<int>(lines.size()) > rows) {
      SIZE mark{};
      GetTextExtentPoint32W(context, kCutMark, 1, &mark);
      TextOutW(context, client.right - mark.cx, (rows - 1) * line_height, kCutMark, 1);
    }
    SelectObject(context, original);
  }
  EndPaint(window, &paint);
}

}  // namespace

LRESULT CALLBACK RichLabelProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Paint(window);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace VelumFab
