#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "velumfab/core/backend.h"
#include "velumfab/core/text_layout.h"

namespace VelumFab {

// Native windows: each dialog and panel a window of its own (a panel owned
// by its dialog, which is disabled under it), EDIT, COMBOBOX, BUTTON and
// STATIC controls, and a rich label drawn with GDI on the core's line
// breaks. The controls that take the focus are subclassed, so their keys
// become input for the core before Windows acts on them; text is shown from
// the core's model, converted to UTF-16 at each call that shows it.
class Win32Backend final : public Backend {
 public:
  explicit Win32Backend(const HostServices& host);
  ~Win32Backend() override;

  bool Start(const ControlModel& model, const UiState& state, std::string& reason) override;
  void FrameOpened(int frame) override;
  void FrameClosed(int frame) override;
  void ControlChanged(int control, Change change) override;
  void FocusChanged() override;
  void BusyChanged() override;
  bool ReadInput(InputQueue& queue) override;
  void TakePendingInput(InputQueue& queue) override;
  void DropPendingInput() override;
  void Stop() override;

  // For the window procedures.
  void Push(const InputEvent& input);
  void PushKeyMessage(int control, UINT message, WPARAM key);
  void FocusArrived(int control);
  void Activated(int frame);
  const ControlModel& Model() const { return *model_; }
  const UiState& State() const { return *state_; }
  const Control* ControlOf(HWND window) const;
  HWND WindowOf(int control) const;
  HFONT Font(bool bold, int points, bool underline = false);
  // The rich label's lines as the core breaks them, measured in this
  // window's fonts, and the height of one line in pixels.
  std::vector<RichLine> RichLines(const Control& label, HDC context, int width, int& line_height);

 private:
  void CreateControl(const Control& control, HWND frame_window);
  void ShowState(const Control& control, Change change);
  // Sizes the window of `frame` and places its controls where the core's
  // arrangement puts them (rich labels grow with their text).
  void PlaceControls(int frame);

  HostServices host_;
  const ControlModel* model_ = nullptr;
  const UiState* state_ = nullptr;
  InputQueue* queue_ = nullptr;
  std::map<int, HWND> windows_;  // of the open frames and their controls, by id
  std::map<std::tuple<bool, int, bool>, HFONT> fonts_;
  bool focusing_ = false;   // the focus moves because the core moved it
  wchar_t high_surrogate_ = 0;
  HWND disabled_ = nullptr;  // the window disabled while the program is at work
  bool started_ = false;
  bool broken_ = false;  // a window could not be made
};

// The window classes of the frames and of the rich label.
extern const wchar_t kFrameClass[];
extern const wchar_t kRichLabelClass[];
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK RichLabelProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Turns the keys of a control into input for the core.
LRESULT CALLBACK ControlKeysProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR backend);
// Draws a combo box's field and items, and its prompt while nothing is chosen.
void DrawComboItem(Win32Backend& backend, const DRAWITEMSTRUCT& item);

// Where a control stands on its window, in pixels, at `row` and `rows` of
// cells (its own y and height, or where the core's arrangement moved it).
RECT Placement(const Control& control, int row, int rows);

// Cell sizes: layouts are written in character cells.
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 24;
constexpr int kFontPoints = 11;

// The backend that owns `window` (stored with its frame).
Win32Backend* BackendOf(HWND window);

// UTF-16 units of the first `characters` characters of `text`, and back.
int Utf16Units(std::u32string_view text, int characters);
int CharactersOfUnits(std::u32string_view text, int units);

std::unique_ptr<Backend> MakeWin32Backend(const LibrarySettings& settings, const HostServices& host);

}  // namespace VelumFab
