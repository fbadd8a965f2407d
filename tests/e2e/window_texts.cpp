// Prints the text of every visible child window of the top-level window
// whose title contains the argument, one per line in UTF-8, as
// "class<TAB>text": what a screen reader would read from the dialog. A test
// helper for driving the Win32 dialog under Wine.
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

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  if (!IsWindowVisible(child)) return TRUE;
  wchar_t text[1024] = {};
  wchar_t window_class[64] = {};
  GetWindowTextW(child, text, 1024);
  GetClassNameW(child, window_class, 64);
  std::printf("%s\t%s\n", Utf8FromCp936(Cp936FromWide(window_class)).c_str(), Utf8FromCp936(Cp936FromWide(text)).c_str());
  return TRUE;
}

}  // namespace

// The wide entry, so a Chinese title arrives whole whatever the code page.
int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  g_title = argv[1];
  EnumWindows(FindTitle, 0);
  if (g_found == nullptr) return 1;
  EnumChildWindows(g_found, PrintChild, 0);
  return 0;
}
