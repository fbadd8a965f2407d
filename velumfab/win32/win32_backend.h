#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <string>

#include "velumfab/core/backend.h"
#include "velumfab/core/host_services.h"

namespace VelumFab {

// Native windows: each dialog and panel a window of its own (a panel owned
// by its dialog, which is disabled under it), EDIT, COMBOBOX, BUTTON and
// STATIC controls, and a rich label drawn with GDI. Edits, buttons and the
// other controls that take the focus are subclassed, so their keys become
// input for the library before Windows acts on them. Text is converted to
// UTF-16 for every call that shows it.
class Win32Backend final : public Backend {
 public:
  explicit Win32Backend(const HostServices& host);
  ~Win32Backend() override;

  bool Start(const ControlModel& model, std::string& reason) override;
  void FrameOpened(int frame) override;
  void FrameClosed(int frame) override;
  void ControlChanged(int control, Change change) override;
  void FocusChanged(int control) override;
  std::optional<InputEvent> NextInput() override;
  void Stop() override;

  // For the window procedures.
  void Queue(const InputEvent& input) { queued_.push_back(input); }
  void QueueKeyMessage(int control, UINT message, WPARAM key);
  void FocusArrived(int control);
  void Activated(int frame);
  const ControlModel& Model() const { return *model_; }
  const Control* ControlOf(HWND window) const;
  HFONT Font(bool bold, int points, bool underline = false);

 private:
  void CreateControl(const Control& control, HWND frame_window);
  void ShowState(const Control& control, Change change);

  HostServices host_;
  const ControlModel* model_ = nullptr;
  std::map<int, HWND> windows_;  // of the open frames and their controls, by id
  std::map<std::tuple<bool, int, bool>, HFONT> fonts_;
  std::deque<InputEvent> queued_;
  int focus_ = 0;
  bool focusing_ = false;   // the focus moves because the library moved it
  wchar_t high_surrogate_ = 0;
  bool started_ = false;
  bool broken_ = false;  // a window could not be made
};

// The window classes of the frames and of the rich label.
extern const wchar_t kFrameClass[];
extern const wchar_t kRichLabelClass[];
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK RichLabelProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Turns the keys of a control into input for the library.
LRESULT CALLBACK ControlKeysProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                      DWORD_PTR backend);

// Cell sizes: layouts are written in character cells.
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 24;
constexpr int kFontPoints = 11;

// The backend that owns `window` (stored with its frame).
Win32Backend* BackendOf(HWND window);

}  // namespace VelumFab
