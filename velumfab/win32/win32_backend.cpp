#include "velumfab/win32/win32_backend.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "velumfab/backends.h"

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

// The window rectangle that gives `frame` its size in cells as client area,
// centred on `owner` (or on the screen's work area).
RECT FrameRectangle(const Control& frame, DWORD style, HWND owner) {
  RECT rectangle{0, 0, frame.width * kCellWidth, frame.height * kCellHeight};
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

Win32Backend::Win32Backend(const HostServices& host) : host_(host) {}

Win32Backend::~Win32Backend() { Stop(); }

bool Win32Backend::Start(const ControlModel& model, std::string& reason) {
  model_ = &model;
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

void Win32Backend::FrameOpened(int frame) {
  const Control& control = *model_->Find(frame);
  HWND owner = nullptr;
  if (control.kind == ControlKind::kPanel) {
    const auto dialog = windows_.find(control.owner);
    if (dialog != windows_.end()) owner = dialog->second;
  }
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (owner == nullptr ? WS_MINIMIZEBOX : 0);
  const RECT at = FrameRectangle(control, style, owner);
  HWND window = CreateWindowExW(owner == nullptr ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME, kFrameClass,
                                WideFromCp936(control.text).c_str(), style, at.left, at.top, at.right - at.left,
                                at.bottom - at.top, owner, nullptr, ThisLibrary(), this);
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
  if (owner != nullptr) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  UpdateWindow(window);
}

void Win32Backend::FrameClosed(int frame) {
  const auto window = windows_.find(frame);
  if (window == windows_.end()) return;
  const Control& control = *model_->Find(frame);
  HWND owner = GetWindow(window->second, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, TRUE);  // before the panel goes, so the dialog is active again
  DestroyWindow(window->second);
  for (const Control& child : model_->Controls()) {
    if (child.frame == control.id) windows_.erase(child.id);
  }
  windows_.erase(frame);
  if (owner != nullptr) SetForegroundWindow(owner);
}

void Win32Backend::ControlChanged(int control, Change change) {
  const Control* changed = model_->Find(control);
  if (changed != nullptr && windows_.count(control) != 0) ShowState(*changed, change);
}

void Win32Backend::FocusChanged(int control) {
  focus_ = control;
  const auto window = windows_.find(control);
  if (window == windows_.end()) return;
  focusing_ = true;
  SetFocus(window->second);
  focusing_ = false;
}

// A control got the keyboard focus: by the player's mouse when the library
// did not move it there.
void Win32Backend::FocusArrived(int control) {
  if (focusing_ || control == focus_) return;
  InputEvent focus;
  focus.kind = InputEvent::Kind::kFocus;
  focus.control = control;
  Queue(focus);
}

// A frame became active: its focused control gets the focus back.
void Win32Backend::Activated(int frame) {
  const Control* focused = model_->Find(focus_);
  if (focused != nullptr && focused->frame == frame) FocusChanged(focus_);
}

const Control* Win32Backend::ControlOf(HWND window) const {
  for (const auto& [id, handle] : windows_) {
    if (handle == window) return model_->Find(id);
  }
  return nullptr;
}

std::optional<InputEvent> Win32Backend::NextInput() {
  while (queued_.empty()) {
    if (broken_) return std::nullopt;
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return std::nullopt;  // WM_QUIT, or no queue
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  InputEvent input = queued_.front();
  queued_.pop_front();
  return input;
}

void Win32Backend::QueueKeyMessage(int control, UINT message, WPARAM key) {
  InputEvent input;
  input.control = control;
  if (message == WM_CHAR) {
    const wchar_t unit = static_cast<wchar_t>(key);
    if (unit >= 0xD800 && unit < 0xDC00) {  // the first half of a pair
      high_surrogate_ = unit;
      return;
    }
    std::wstring character(1, unit);
    if (unit >= 0xDC00 && unit < 0xE000 && high_surrogate_ != 0) character.insert(character.begin(), high_surrogate_);
    high_surrogate_ = 0;
    input.kind = InputEvent::Kind::kCharacter;
    input.character = Cp936FromWide(character);
  } else {
    input.kind = message == WM_KEYDOWN ? InputEvent::Kind::kKeyDown : InputEvent::Kind::kKeyUp;
    input.key = static_cast<unsigned>(key);
    input.shift = GetKeyState(VK_SHIFT) < 0;
  }
  Queue(input);
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
        backend->Queue(input);
      } else if (control->kind == ControlKind::kCombo && code == CBN_SELCHANGE) {
        input.kind = InputEvent::Kind::kChoose;
        input.item = static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lparam), CB_GETCURSEL, 0, 0));
        backend->Queue(input);
      }
      return 0;
    }
    case WM_CLOSE: {  // the close box: as Esc, the window's cancel control
      InputEvent cancel;
      cancel.kind = InputEvent::Kind::kCancel;
      backend->Queue(cancel);
      return 0;
    }
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

const char kNativeBackendName[] = "win32";

std::unique_ptr<Backend> MakeNativeBackend(const LibrarySettings&, const HostServices& host) {
  return std::make_unique<Win32Backend>(host);
}

}  // namespace VelumFab
