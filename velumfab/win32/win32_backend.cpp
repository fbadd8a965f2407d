#include "velumfab/win32/win32_backend.h"

#include <commctrl.h>

#include "platform/unicode_text.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace VelumFab {

namespace {

HINSTANCE ThisLibrary() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool RegisterClasses() {
  WNDCLASSEXW frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = FrameProcedure;
  frame.hInstance = ThisLibrary();
  frame.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  frame.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
  frame.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  frame.lpszClassName = kFrameClass;
  WNDCLASSEXW rich = frame;
  rich.lpfnWndProc = RichLabelProcedure;
  rich.hIcon = nullptr;
  rich.lpszClassName = kRichLabelClass;
  const bool frame_ok = RegisterClassExW(&frame) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  const bool rich_ok = RegisterClassExW(&rich) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return frame_ok && rich_ok;
}

DWORD FrameStyle(bool owned) { return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (owned ? 0 : WS_MINIMIZEBOX); }

// The window rectangle that gives a frame `rows` of cells as client area,
// centred on `owner` (or on the screen's work area).
RECT FrameRectangle(const Control& frame, int rows, DWORD style, HWND owner) {
  RECT rectangle{0, 0, frame.width * kCellWidth, rows * kCellHeight};
  AdjustWindowRectEx(&rectangle, style, FALSE, 0);
  RECT around{};
  if (owner != nullptr) {
    GetWindowRect(owner, &around);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  }
  const int width = rectangle.right - rectangle.left;
  const int height = rectangle.bottom - rectangle.top;
  const int left = around.left + (around.right - around.left - width) / 2;
  const int top = around.top + (around.bottom - around.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

// The rows of cells the most a window may take: the screen's work area.
int ScreenRows() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return (work.bottom - work.top) / kCellHeight - 2;
}

}  // namespace

const wchar_t kFrameClass[] = L"VelumFabFrame";
const wchar_t kRichLabelClass[] = L"VelumFabRichLabel";

Win32Backend* BackendOf(HWND window) {
  for (HWND at = window; at != nullptr; at = GetParent(at)) {
    if (GetWindowLongPtrW(at, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameProcedure)) {
      return reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(at, GWLP_USERDATA));
    }
  }
  return nullptr;
}

int Utf16Units(std::u32string_view text, int characters) {
  int units = 0;
  for (int i = 0; i < characters && i < static_cast<int>(text.size()); ++i) units += text[i] > 0xFFFF ? 2 : 1;
  return units;
}

int CharactersOfUnits(std::u32string_view text, int units) {
  int characters = 0;
  for (int used = 0; characters < static_cast<int>(text.size()) && used < units; ++characters) {
    used += text[characters] > 0xFFFF ? 2 : 1;
  }
  return characters;
}

Win32Backend::Win32Backend(const HostServices& host) : host_(host) {}

Win32Backend::~Win32Backend() { Stop(); }

bool Win32Backend::Start(const ControlModel& model, const UiState& state, std::string& reason) {
  model_ = &model;
  state_ = &state;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterClasses()) {
    reason = "the window classes cannot be registered (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  started_ = true;
  return true;
}

void Win32Backend::Stop() {
  if (!started_) return;
  started_ = false;
  for (auto& [id, window] : windows_) {
    const Control* control = model_->Find(id);
    if (control != nullptr && control->id == control->frame) DestroyWindow(window);
  }
  windows_.clear();
  for (auto& [look, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

HFONT Win32Backend::Font(bool bold, int points, bool underline) {
  const auto key = std::make_tuple(bold, points, underline);
  const auto known = fonts_.find(key);
  if (known != fonts_.end()) return known->second;
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  // Chinese Windows has this face; elsewhere the charset finds a CJK font.
  HFONT font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline, FALSE, GB2312_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           L"Microsoft YaHei");
  fonts_[key] = font;
  return font;
}

std::vector<RichLine> Win32Backend::RichLines(const Control& label, HDC context, int width, int& line_height) {
  line_height = 0;
  for (const TextRun& run : label.rich) {
    SelectObject(context, Font(run.bold, run.size == 0 ? kFontPoints : run.size));
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    line_height = std::max(line_height, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
  }
  return BreakRichText(label.rich, width, [&](std::u32string_view text, const TextRun& look) {
    SelectObject(context, Font(look.bold, look.size == 0 ? kFontPoints : look.size));
    const std::u16string units = Utf16FromUtf32(text);
    SIZE size{};
    GetTextExtentPoint32W(context, reinterpret_cast<const wchar_t*>(units.c_str()), static_cast<int>(units.size()),
                          &size);
    return static_cast<int>(size.cx);
  });
}

void Win32Backend::FrameOpened(int frame) {
  const Control& control = *model_->Find(frame);
  HWND owner = nullptr;
  if (control.kind == ControlKind::kPanel) {
    const auto dialog = windows_.find(control.owner);
    if (dialog != windows_.end()) owner = dialog->second;
  }
  const DWORD style = FrameStyle(owner != nullptr);
  HWND window = CreateWindowExW(owner == nullptr ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME, kFrameClass,
                                reinterpret_cast<const wchar_t*>(Utf16FromUtf32(control.shown).c_str()), style, 0, 0,
                                0, 0, owner, nullptr, ThisLibrary(), this);
  if (window == nullptr) {
    host_.Log(kLogError, "the window of \"" + control.name + "\" cannot be made (error " +
                             std::to_string(GetLastError()) + "): is there a desktop?");
    broken_ = true;  // nothing could ever close it: the loops end
    return;
  }
  windows_[frame] = window;
  for (const Control& child : model_->Controls()) {
    if (child.frame == frame && child.id != frame) CreateControl(child, window);
  }
  PlaceControls(frame);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  UpdateWindow(window);
}

void Win32Backend::PlaceControls(int frame) {
  const auto window = windows_.find(frame);
  if (window == windows_.end()) return;
  const Control& control = *model_->Find(frame);
  HDC context = GetDC(window->second);
  const FrameArrangement arrangement = ArrangeFrame(
      *model_, frame,
      [&](const Control& label) {
        int line_height = 0;
        const int lines = static_cast<int>(RichLines(label, context, label.width * kCellWidth, line_height).size());
        return (lines * line_height + kCellHeight - 1) / kCellHeight;
      },
      ScreenRows());
  ReleaseDC(window->second, context);
  HWND owner = GetWindow(window->second, GW_OWNER);
  const RECT at = FrameRectangle(control, arrangement.height, FrameStyle(owner != nullptr), owner);
  SetWindowPos(window->second, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  for (const auto& [id, row] : arrangement.row) {
    HWND child = WindowOf(id);
    if (child == nullptr) continue;
    const RECT place = Placement(*model_->Find(id), row, arrangement.rows.at(id));
    SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32Backend::FrameClosed(int frame) {
  const auto window = windows_.find(frame);
  if (window == windows_.end()) return;
  HWND owner = GetWindow(window->second, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, TRUE);  // before the panel goes, so the dialog is active again
  if (disabled_ == window->second) disabled_ = nullptr;
  DestroyWindow(window->second);
  for (const Control& child : model_->Controls()) {
    if (child.frame == frame) windows_.erase(child.id);
  }
  windows_.erase(frame);
  if (owner != nullptr) SetForegroundWindow(owner);
}

void Win32Backend::ControlChanged(int control, Change change) {
  const Control* changed = model_->Find(control);
  if (changed == nullptr || windows_.count(control) == 0) return;
  ShowState(*changed, change);
  if (changed->kind == ControlKind::kRichLabel && change == Change::kText) PlaceControls(changed->frame);
}

void Win32Backend::FocusChanged() {
  const auto window = windows_.find(state_->Focus());
  if (window == windows_.end()) return;
  focusing_ = true;
  SetFocus(window->second);
  focusing_ = false;
}

// While the program is at work the window in front takes no input and the
// pointer shows that it waits.
void Win32Backend::BusyChanged() {
  if (state_->busy) {
    const auto front = windows_.find(state_->Front());
    if (front == windows_.end() || !IsWindowEnabled(front->second)) return;
    disabled_ = front->second;
    EnableWindow(disabled_, FALSE);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    return;
  }
  if (disabled_ != nullptr) EnableWindow(disabled_, TRUE);
  disabled_ = nullptr;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
  FocusChanged();
}

void Win32Backend::TakePendingInput(InputQueue& queue) {
  queue_ = &queue;
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) ||
         PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

namespace {

bool IsInput(const MSG& message) {
  return (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
         (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ||
         (message.message >= WM_NCMOUSEMOVE && message.message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

// Everything waiting for this thread is handled now, the player's input
// dropped: only when nothing is left has the system (Wine reads its X
// events only when the queue is empty) handed over all of it.
void Win32Backend::DropPendingInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (IsInput(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A control got the keyboard focus: by the player's mouse when the core
// did not move it there.
void Win32Backend::FocusArrived(int control) {
  if (focusing_ || control == state_->Focus()) return;
  InputEvent focus;
  focus.kind = InputEvent::Kind::kFocus;
  focus.control = control;
  Push(focus);
}

// A frame became active: its focused control gets the focus back.
void Win32Backend::Activated(int frame) {
  if (frame == state_->Front()) FocusChanged();
}

const Control* Win32Backend::ControlOf(HWND window) const {
  for (const auto& [id, handle] : windows_) {
    if (handle == window) return model_->Find(id);
  }
  return nullptr;
}

HWND Win32Backend::WindowOf(int control) const {
  const auto window = windows_.find(control);
  return window == windows_.end() ? nullptr : window->second;
}

void Win32Backend::Push(const InputEvent& input) {
  if (queue_ != nullptr) queue_->Push(input);
}

bool Win32Backend::ReadInput(InputQueue& queue) {
  queue_ = &queue;
  while (queue.Empty()) {
    if (broken_) return false;
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return false;  // WM_QUIT, or no queue
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

void Win32Backend::PushKeyMessage(int control, UINT message, WPARAM key) {
  InputEvent input;
  input.control = control;
  if (message == WM_CHAR) {
    const wchar_t unit = static_cast<wchar_t>(key);
    if (unit >= 0xD800 && unit < 0xDC00) {  // the first half of a pair
      high_surrogate_ = unit;
      return;
    }
    std::u16string units(1, static_cast<char16_t>(unit));
    if (unit >= 0xDC00 && unit < 0xE000 && high_surrogate_ != 0) units.insert(units.begin(), high_surrogate_);
    high_surrogate_ = 0;
    const std::u32string character = Utf32FromUtf16(units);
    input.kind = InputEvent::Kind::kCharacter;
    input.character = character.empty() ? 0 : character[0];
  } else {
    input.kind = message == WM_KEYDOWN ? InputEvent::Kind::kKeyDown : InputEvent::Kind::kKeyUp;
    input.key = static_cast<unsigned>(key);
    input.shift = GetKeyState(VK_SHIFT) < 0;
  }
  Push(input);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  Win32Backend* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (backend == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND: {
      const Control* control = backend->ControlOf(reinterpret_cast<HWND>(lparam));
      if (control == nullptr) break;
      const WORD code = HIWORD(wparam);
      InputEvent input;
      input.control = control->id;
      if ((control->kind == ControlKind::kButton && code == BN_CLICKED) ||
          (control->kind == ControlKind::kLabel && code == STN_CLICKED)) {
        input.kind = InputEvent::Kind::kClick;
      } else if (control->kind == ControlKind::kCombo && code == CBN_SELCHANGE) {
        input.kind = InputEvent::Kind::kChoose;
        input.item = static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lparam), CB_GETCURSEL, 0, 0));
      } else if (control->kind == ControlKind::kCombo && code == CBN_DROPDOWN) {
        input.kind = InputEvent::Kind::kOpenList;
      } else if (control->kind == ControlKind::kCombo && code == CBN_CLOSEUP) {
        input.kind = InputEvent::Kind::kCloseList;
      } else {
        return 0;
      }
      backend->Push(input);
      return 0;
    }
    case WM_DRAWITEM: DrawComboItem(*backend, *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)); return TRUE;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      measure->itemHeight = measure->itemID == static_cast<UINT>(-1) ? 18 : 20;
      return TRUE;
    }
    case WM_CLOSE: {  // the close box: as Esc, the window's cancel control
      InputEvent cancel;
      cancel.kind = InputEvent::Kind::kCancel;
      backend->Push(cancel);
      return 0;
    }
    case WM_SETCURSOR:
      if (backend->State().busy) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) {
        if (const Control* frame = backend->ControlOf(window)) backend->Activated(frame->id);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC context = reinterpret_cast<HDC>(wparam);
      const Control* label = backend->ControlOf(reinterpret_cast<HWND>(lparam));
      SetBkMode(context, TRANSPARENT);
      if (label != nullptr && label->clickable) SetTextColor(context, RGB(0x00, 0x55, 0xCC));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

std::unique_ptr<Backend> MakeWin32Backend(const LibrarySettings&, const HostServices& host) {
  return std::make_unique<Win32Backend>(host);
}

}  // namespace VelumFab
