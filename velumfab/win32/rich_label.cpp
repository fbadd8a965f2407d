#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/win32/wide_text.h"
#include "velumfab/win32/win32_backend.h"

namespace VelumFab {

namespace {

// One character placed on the label: where, in which font and colour.
struct PlacedCharacter {
  wchar_t unit;
  HFONT font;
  COLORREF color;
  int left;
  int line;
};

// Punctuation that never starts a line: it stays at the end of the last.
bool ClosesAPhrase(wchar_t unit) { return std::wstring_view(L"，。！？、；：）」』”’").find(unit) != std::wstring_view::npos; }

// Lays the runs out from the top left, breaking lines where the next
// character would not fit and at line feeds; a run's colour is a COLORREF
// already (0x00BBGGRR).
std::vector<PlacedCharacter> LayOut(Win32Backend& backend, const Control& label, HDC context, int width,
                                    int& line_height) {
  std::vector<PlacedCharacter> placed;
  int left = 0;
  int line = 0;
  line_height = 0;
  for (const TextRun& run : label.rich) {
    HFONT font = backend.Font(run.bold, run.size == 0 ? kFontPoints : run.size);
    SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    line_height = std::max(line_height, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    const COLORREF color = run.color.value_or(GetSysColor(COLOR_WINDOWTEXT));
    for (wchar_t unit : WideFromCp936(run.text)) {
      if (unit == L'\n') {
        left = 0;
        ++line;
        continue;
      }
      SIZE size{};
      GetTextExtentPoint32W(context, &unit, 1, &size);
      if (left + size.cx > width && left > 0 && !ClosesAPhrase(unit)) {
        left = 0;
        ++line;
      }
      placed.push_back(PlacedCharacter{unit, font, color, left, line});
      left += size.cx;
    }
  }
  return placed;
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC context = BeginPaint(window, &paint);
  Win32Backend* backend = BackendOf(window);
  const Control* label = backend == nullptr ? nullptr : backend->ControlOf(window);
  if (label != nullptr) {
    RECT client;
    GetClientRect(window, &client);
    SetBkMode(context, TRANSPARENT);
    int line_height = 0;
    const HGDIOBJ original = SelectObject(context, GetStockObject(DEFAULT_GUI_FONT));
    for (const PlacedCharacter& character : LayOut(*backend, *label, context, client.right, line_height)) {
      SelectObject(context, character.font);
      SetTextColor(context, character.color);
      TextOutW(context, character.left, character.line * line_height, &character.unit, 1);
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
