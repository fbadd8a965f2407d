#pragma once

#include <deque>
#include <string>

#include "velumfab/core/backend.h"
#include "velumfab/core/host_services.h"
#include "velumfab/terminal/screen_painter.h"

namespace VelumFab {

// Draws the dialog in the terminal with ncursesw and reads the keyboard:
// Tab and Shift-Tab, the arrows, Enter, Space, Esc, Backspace and typed
// characters; a combo box opens its list with Enter or Space. The terminal
// is given back as it was on every way out.
class TerminalBackend final : public Backend {
 public:
  explicit TerminalBackend(const HostServices& host);
  ~TerminalBackend() override;

  bool Start(const ControlModel& model, std::string& reason) override;
  void FrameOpened(int frame) override;
  void FrameClosed(int frame) override;
  void ControlChanged(int control, Change change) override;
  void FocusChanged(int control) override;
  std::optional<InputEvent> NextInput() override;
  void Stop() override;

 private:
  void Repaint();
  // Reads one key; false when the terminal gives no more input.
  bool ReadKey();
  void Press(unsigned key, const std::string& character, bool shift = false);
  void ListKey(unsigned key);

  HostServices host_;
  const ControlModel* model_ = nullptr;
  ScreenState state_;
  std::deque<InputEvent> queued_;
  bool running_ = false;
};

}  // namespace VelumFab
