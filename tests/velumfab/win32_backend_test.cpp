// The Win32 backend's drawing of the shipped dialog: real windows (under
// Wine here), looked at through their window handles while the core's modal
// loop runs, and driven with the messages a player's keys and clicks send.
#include "velumfab/win32/win32_backend.h"

#include <deque>
#include <functional>

#include <gtest/gtest.h>

#include "platform/unicode_text.h"
#include "velumfab/core/ui_lib.h"

namespace {

using namespace VelumFab;

const BackendTable kWin32{{"win32", MakeWin32Backend}};

// Steps run one per tick of a timer, inside the modal loop.
std::deque<std::function<void()>> g_steps;
void CALLBACK NextStep(HWND, UINT, UINT_PTR, DWORD) {
  if (g_steps.empty()) return;
  auto step = std::move(g_steps.front());
  g_steps.pop_front();
  step();
}

std::u32string TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return Utf32FromUtf16(reinterpret_cast<const char16_t*>(text));
}

HWND FrameTitled(const std::u32string& title) {
  const std::u16string wide = Utf16FromUtf32(title);
  return FindWindowW(kFrameClass, reinterpret_cast<const wchar_t*>(wide.c_str()));
}

RECT PlaceOn(HWND frame, HWND child) {
  RECT at{};
  GetWindowRect(child, &at);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&at), 2);
  return at;
}

// The program's part: the close button ends the dialog, the start button
// shows a result longer than its label, the result's close button ends it.
class Program final : public Velum::IUILibEvent {
 public:
  explicit Program(UILib& lib) : lib_(lib) {}
  int IsEventSink() override { return 1; }
  void OnEvent(int id, Velum::IVariableParam* event) override {
    if (event->GetInt(Velum::kEventCodeKey, 0) != Velum::kEventClick) return;
    if (id == Id("Btn_Close")) lib_.EndModal(Id("Main"), id);
    if (id == Id("Button_OK_Close")) lib_.EndModal(Id("Result"), id);
    if (id == Id("Button_Start")) {
      lib_.SetVisible(Id("Button_OK"), false);
      std::string text;
      for (int i = 0; i < 30; ++i) text += "\xCA\xFD\xBE\xDD\xCC\xE1\xBD\xBB\xCA\xA7\xB0\xDC";  // 数据提交失败
      lib_.SetRichText(Id("Static_Msg"), text.c_str());
      lib_.RunModal(Id("Result"));
    }
  }
  int Id(const char* name) { return lib_.GetControlId(name, 0); }

 private:
  UILib& lib_;
};

TEST(Win32Backend, ShowsTheModelInNativeWindowsAndEditsThroughTheCore) {
  UILib lib(MC_BUILD_DIR, kWin32);
  lib.Init(0);
  ASSERT_EQ(lib.LoadLayout("Main.mox", 0), 1);
  Program program(lib);
  lib.SetEventSink(1, &program);
  lib.SetText(program.Id("Edit_Orbi"), "12345");
  HWND main = nullptr;
  HWND orbi = nullptr;
  g_steps = {
      [&] {
        main = FrameTitled(U"Corvo 封测机器检测");
        ASSERT_NE(main, nullptr);
        RECT client{};
        GetClientRect(main, &client);
        EXPECT_EQ(client.right, 62 * kCellWidth);
        EXPECT_EQ(client.bottom, 19 * kCellHeight);
        orbi = GetDlgItem(main, program.Id("Edit_Orbi"));
        EXPECT_EQ(TextOf(orbi), U"12345");
        EXPECT_EQ(PlaceOn(main, orbi).left, 18 * kCellWidth);
        EXPECT_EQ(SendMessageW(GetDlgItem(main, program.Id("ComboBox_PV")), CB_GETCOUNT, 0, 0), 8);
        SetFocus(orbi);
        SendMessageW(orbi, WM_KEYDOWN, VK_HOME, 0);
        SendMessageW(orbi, WM_KEYUP, VK_HOME, 0);
        SendMessageW(orbi, WM_CHAR, L'中', 0);  // typed at the caret: at the start
      },
      [&] {
        EXPECT_EQ(TextOf(orbi), U"中12345");
        DWORD start = 0, end = 0;
        SendMessageW(orbi, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 1u);  // the native caret stands where the core's does
        SendMessageW(GetDlgItem(main, program.Id("Button_Start")), BM_CLICK, 0, 0);
      },
      [&] {
        HWND result = FrameTitled(U"检测结果");
        ASSERT_NE(result, nullptr);
        RECT client{};
        GetClientRect(result, &client);
        EXPECT_GT(client.bottom, 11 * kCellHeight);  // grown with its text
        HWND close = GetDlgItem(result, program.Id("Button_OK_Close"));
        HWND message = GetDlgItem(result, program.Id("Static_Msg"));
        EXPECT_GE(PlaceOn(result, close).top, PlaceOn(result, message).bottom);  // below the text
        EXPECT_FALSE(IsWindowEnabled(main));  // the dialog waits under its panel
        SendMessageW(close, BM_CLICK, 0, 0);
      },
      [&] { SendMessageW(GetDlgItem(main, program.Id("Btn_Close")), BM_CLICK, 0, 0); },
      [&] {  // only when a step above failed: the loops end all the same
        ADD_FAILURE() << "the dialog did not close from its close button";
        lib.EndModal(program.Id("Result"), -1);
        lib.EndModal(program.Id("Main"), -1);
      },
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, NextStep);
  EXPECT_EQ(lib.RunModal(program.Id("Main")), program.Id("Btn_Close"));
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_steps.size(), 1u);
  EXPECT_STREQ(lib.GetText(program.Id("Edit_Orbi")), "\xD6\xD0" "12345");
  lib.Shutdown();
}

}  // namespace
