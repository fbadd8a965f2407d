// Prints the text of every visible child window of the top-level window
// whose title contains the argument, one per line in UTF-8, as
// "class<TAB>text": what a screen reader would read from the dialog (a
// combo box's text is its chosen item). Before them: "Window<TAB>enabled" or
// "disabled", and "Focus<TAB>" with the class and text of the control that
// has the keyboard focus. A test helper for driving the Win32 dialog under
// Wine.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/text_encoding.h"
#include "platform/win32/wide_text.h"

namespace {

std::wstring g_title;
HWND g_found = nullptr;

BOOL CALLBACK FindTitle(HWND window, LPARAM) {
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (IsWindowVisible(window) && std::wstring(title).find(g_title) != std::wstring::npos) {
    g_found = window;
    return FALSE;
  }
  return TRUE;
}

std::string Utf8(const wchar_t* text) { return Utf8FromCp936(Cp936FromWide(text)); }

// "class<TAB>text" of a control.
std::string Described(HWND control) {
  wchar_t text[1024] = {};
  wchar_t window_class[64] = {};
  GetClassNameW(control, window_class, 64);
  if (lstrcmpiW(window_class, L"ComboBox") != 0) {
    GetWindowTextW(control, text, 1024);
  } else {
    // Asked of the program, which may be at work: then the text stays empty
    // rather than this helper waiting for it.
    DWORD_PTR chosen = CB_ERR, length = 0;
    constexpr UINT kAsk = SMTO_ABORTIFHUNG | SMTO_BLOCK;
    if (SendMessageTimeoutW(control, CB_GETCURSEL, 0, 0, kAsk, 300, &chosen) != 0 && chosen != static_cast<DWORD_PTR>(CB_ERR) &&
        SendMessageTimeoutW(control, CB_GETLBTEXTLEN, chosen, 0, kAsk, 300, &length) != 0 && length < 1024) {
      SendMessageTimeoutW(control, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text), kAsk, 300, nullptr);
    }
  }
  return Utf8(window_class) + "\t" + Utf8(text);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  if (IsWindowVisible(child)) std::printf("%s\n", Described(child).c_str());
  return TRUE;
}

}  // namespace

// The wide entry, so a Chinese title arrives whole whatever the code page.
int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  g_title = argv[1];
  EnumWindows(FindTitle, 0);
  if (g_found == nullptr) return 1;
  std::printf("Window\t%s\n", IsWindowEnabled(g_found) ? "enabled" : "disabled");
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(g_found, nullptr), &thread);
  std::printf("Focus\t%s\n", thread.hwndFocus != nullptr ? Described(thread.hwndFocus).c_str() : "");
  EnumChildWindows(g_found, PrintChild, 0);
  return 0;
}
