#include "velumfab/win32/win32_backend.h"

#include <commctrl.h>

#include "platform/unicode_text.h"

namespace VelumFab {

namespace {

constexpr int kFieldHeight = 22;
constexpr int kListItemHeight = 20;
constexpr UINT_PTR kKeysSubclass = 1;
constexpr COLORREF kPromptColor = RGB(0x80, 0x80, 0x80);

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
    case ControlKind::kCombo:
      // Drawn by the backend, so that its prompt shows while nothing is chosen.
      return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0};
    case ControlKind::kRichLabel: return {kRichLabelClass, 0, 0};
    default: return {L"STATIC", static_cast<DWORD>(SS_LEFT | (control.clickable ? SS_NOTIFY : 0)), 0};
  }
}

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// The keys a control hands to the core instead of acting on them itself.
// A combo box with its list down keeps them all; the others give all.
bool CoreTakesKey(const Control& control, HWND window) {
  return control.kind != ControlKind::kCombo || SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) == 0;
}

// Pastes the clipboard's text into an edit as typed characters.
void PushPaste(Win32Backend& backend, int control, HWND window) {
  if (!OpenClipboard(window)) return;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      for (const wchar_t* unit = text; *unit != L'\0'; ++unit) {
        if (*unit >= L' ') backend.PushKeyMessage(control, WM_CHAR, *unit);
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
}

// Where the player's click left the native caret, for the core.
void PushCaretOfClick(Win32Backend& backend, const Control& edit, HWND window) {
  DWORD start = 0;
  SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  InputEvent place;
  place.kind = InputEvent::Kind::kPlaceCaret;
  place.control = edit.id;
  place.item = CharactersOfUnits(edit.shown, static_cast<int>(start));
  backend.Push(place);
}

}  // namespace

// Fields are one row high and centred in it; labels fill their rows.
RECT Placement(const Control& control, int row, int rows) {
  const int left = control.x * kCellWidth;
  const int top = row * kCellHeight;
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
    default: return RECT{left, top + 3, left + width, top + rows * kCellHeight};
  }
}

void Win32Backend::CreateControl(const Control& control, HWND frame_window) {
  const NativeKind kind = NativeKindOf(control);
  const RECT at = Placement(control, control.y, control.height);
  const std::u16string text = control.kind == ControlKind::kCombo ? u"" : Utf16FromUtf32(control.shown);
  HWND window = CreateWindowExW(kind.extended_style, kind.window_class, Wide(text),
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
    for (const std::u32string& item : control.shown_items) {
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(Utf16FromUtf32(item))));
    }
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.selection), 0);
  }
  if (control.kind == ControlKind::kEdit) ShowState(control, Change::kCaret);
  if (TakesFocus(control) || control.clickable) {
    SetWindowSubclass(window, ControlKeysProcedure, kKeysSubclass, reinterpret_cast<DWORD_PTR>(this));
  }
}

void Win32Backend::ShowState(const Control& control, Change change) {
  HWND window = windows_[control.id];
  switch (change) {
    case Change::kText:
      // A rich label is drawn from the model; its window's own text is the
      // plain text, for screen readers.
      SetWindowTextW(window, Wide(Utf16FromUtf32(control.shown)));
      if (control.kind == ControlKind::kRichLabel) InvalidateRect(window, nullptr, TRUE);
      if (control.kind == ControlKind::kEdit) ShowState(control, Change::kCaret);
      break;
    case Change::kCaret: {
      const LPARAM caret = Utf16Units(control.shown, control.caret);
      SendMessageW(window, EM_SETSEL, control.selected ? 0 : static_cast<WPARAM>(caret), control.selected ? -1 : caret);
      break;
    }
    case Change::kVisibility: ShowWindow(window, control.visible ? SW_SHOW : SW_HIDE); break;
    case Change::kSelection: SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(control.selection), 0); break;
    case Change::kColor: InvalidateRect(window, nullptr, TRUE); break;
    case Change::kList: {
      const bool open = state_->list == control.id;
      if ((SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0) != open) SendMessageW(window, CB_SHOWDROPDOWN, open, 0);
      break;
    }
  }
}

void DrawComboItem(Win32Backend& backend, const DRAWITEMSTRUCT& item) {
  const Control* combo = backend.ControlOf(item.hwndItem);
  if (combo == nullptr) return;
  const bool prompt = item.itemID == static_cast<UINT>(-1) || static_cast<std::size_t>(item.itemID) >= combo->shown_items.size();
  const std::u16string text = Utf16FromUtf32(prompt ? combo->shown : combo->shown_items[item.itemID]);
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && !prompt;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, prompt ? kPromptColor : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ original = SelectObject(item.hDC, backend.Font(false, kFontPoints));
  RECT inside = item.rcItem;
  inside.left += 4;
  DrawTextW(item.hDC, Wide(text), static_cast<int>(text.size()), &inside, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(item.hDC, original);
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
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
      if (!CoreTakesKey(*control, window)) break;
      backend.PushKeyMessage(control->id, message, wparam);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_SETFOCUS: backend.FocusArrived(control->id); break;
    case WM_LBUTTONUP:
      if (control->kind == ControlKind::kEdit) {
        const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
        PushCaretOfClick(backend, *control, window);
        return result;
      }
      break;
    case WM_PASTE:
      if (control->kind == ControlKind::kEdit) PushPaste(backend, control->id, window);
      return 0;
    // The core's model is the text's one source: nothing else changes it.
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
