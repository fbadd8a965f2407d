#include "velumfab/win32/win32_backend.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"

namespace VelumFab {

namespace {

constexpr int kFieldHeight = 22;
constexpr int kListItemHeight = 20;
constexpr UINT_PTR kKeysSubclass = 1;

// What a kind of control is made of: its window class and style.
struct NativeKind {
  const wchar_t* window_class;
  DWORD style;
  DWORD extended_style;
};

NativeKind NativeKindOf(const Control& control) {
  switch (control.kind) {
    case ControlKind::kEdit: return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kButton: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kCombo: return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::kRichLabel: return {kRichLabelClass, 0, 0};
    default: return {L"STATIC", static_cast<DWORD>(SS_LEFT | (control.clickable ? SS_NOTIFY : 0)), 0};
  }
}

// Fields are one row high and centred in it; labels fill their rows.
RECT Placement(const Control& control) {
  const int left = control.x * kCellWidth;
  const int top = control.y * kCellHeight;
  const int width = control.width * kCellWidth;
  switch (control.kind) {
    case ControlKind::kEdit:
    case ControlKind::kButton: {
      const int field_top = top + (kCellHeight - kFieldHeight) / 2;
      return RECT{left, field_top, left + width, field_top + kFieldHeight};
    }
    case ControlKind::kCombo: {  // the height of a combo box includes its list
      const int field_top = top + (kCellHeight - kFieldHeight) / 2;
      const int list = static_cast<int>(control.items.size()) * kListItemHeight + 4;
      return RECT{left, field_top, left + width, field_top + kFieldHeight + list};
    }
    default: return RECT{left, top + 3, left + width, top + control.height * kCellHeight};
  }
}

// The keys a control hands to the library instead of acting on them itself.
// A combo box keeps its own list keys; the others give all.
bool LibraryTakesKey(const Control& control, HWND window, WPARAM key) {
  if (control.kind != ControlKind::kCombo) return true;
  if (SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0) return false;
  return key == VK_TAB || key == VK_ESCAPE || key == L'\t' || key == 27;
}

// Pastes the clipboard's text into an edit as typed characters.
void QueuePaste(Win32Backend& backend, int control, HWND window) {
  if (!OpenClipboard(window)) return;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      for (const wchar_t* unit = text; *unit != L'\0'; ++unit) {
        if (*unit >= L' ') backend.QueueKeyMessage(control, WM_CHAR, *unit);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
}

}  // namespace

void Win32Backend::CreateControl(const Control& control, HWND frame_window) {
  const NativeKind kind = NativeKindOf(control);
  const RECT at = Placement(control);
  const std::wstring text = control.kind == ControlKind::kCombo       ? L""
                            : control.kind == ControlKind::kRichLabel ? WideFromCp936(PlainText(control.rich))
                                                                      : WideFromCp936(control.text);
  HWND window = CreateWindowExW(kind.extended_style, kind.window_class, text.c_str(),
                                WS_CHILD | (control.visible ? WS_VISIBLE : 0) | kind.style, at.left, at.top,
                                at.right - at.left, at.bottom - at.top, frame_window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
  if (window == nullptr) {
    host_.Log(kLogError, "the window of \"" + control.name + "\" cannot be made");
    return;
  }
  windows_[control.id] = window;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(false, kFontPoints, control.clickable)), FALSE);
  if (control.kind == ControlKind::kCombo) {
    for (const std::string& item : control.items) {
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromCp936(item).c_str()));
    }
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.selection), 0);
  }
  if (TakesFocus(control) || control.clickable) {
    SetWindowSubclass(window, ControlKeysProcedure, kKeysSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
}

void Win32Backend::ShowState(const Control& control, Change change) {
  HWND window = windows_[control.id];
  switch (change) {
    case Change::kText:
      if (control.kind == ControlKind::kRichLabel) {
        // Drawn from the model; the window's own text is the plain text, for
        // screen readers.
        SetWindowTextW(window, WideFromCp936(PlainText(control.rich)).c_str());
        InvalidateRect(window, nullptr, TRUE);
        break;
      }
      SetWindowTextW(window, WideFromCp936(control.text).c_str());
      if (control.kind == ControlKind::kEdit) {
        // The library edits at the end; a selected text is replaced whole.
        const LPARAM end = GetWindowTextLengthW(window);
        SendMessageW(window, EM_SETSEL, control.selected ? 0 : static_cast<WPARAM>(end), end);
      }
      break;
    case Change::kVisibility: ShowWindow(window, control.visible ? SW_SHOW : SW_HIDE); break;
    case Change::kSelection: SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.selection), 0); break;
    case Change::kColor: InvalidateRect(window, nullptr, TRUE); break;
  }
}

LRESULT CALLBACK ControlKeysProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR reference) {
  auto& backend = *reinterpret_cast<Win32Backend*>(reference);
  const Control* control = backend.ControlOf(window);
  if (control == nullptr) return DefSubclassProc(window, message, wparam, lparam);
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (!LibraryTakesKey(*control, window, wparam)) break;
      backend.QueueKeyMessage(control->id, message, wparam);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_SETFOCUS: backend.FocusArrived(control->id); break;
    case WM_PASTE:
      if (control->kind == ControlKind::kEdit) QueuePaste(backend, control->id, window);
      return 0;
    // The library's model is the text's one source: nothing else changes it.
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:
      if (control->kind == ControlKind::kEdit) return 0;
      break;
    case WM_NCDESTROY: RemoveWindowSubclass(window, ControlKeysProcedure, kKeysSubclass); break;
    default: break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace VelumFab
