#pragma once

#include "velumfab/core/backend.h"
#include "velumfab/terminal/screen_painter.h"

namespace VelumFab {

// Draws the dialog in the terminal with ncursesw and reads the keyboard and
// the mouse where the terminal reports it. While the dialog is up, what the
// process writes to standard error is held back and written out after. The
// terminal is given back as it was on every way out.
class TerminalBackend final : public Backend {
 public:
  explicit TerminalBackend(const HostServices& host);
  ~TerminalBackend() override;

  bool Start(const ControlModel& model, const UiState& state, std::string& reason) override;
  void FrameOpened(int) override { Repaint(); }
  void FrameClosed(int) override { Repaint(); }
  void ControlChanged(int, Change) override { Repaint(); }
  void FocusChanged() override { Repaint(); }
  void BusyChanged() override { Repaint(); }
  bool ReadInput(InputQueue& queue) override;
  void TakePendingInput(InputQueue& queue) override;
  void DropPendingInput() override;
  void Stop() override;

 private:
  void Repaint();
  // Reads one key (waiting for it unless the screen is in no-delay mode)
  // and pushes what it stands for; false when there is none.
  bool ReadKey(InputQueue& queue);
  void Pointer(InputQueue& queue);

  HostServices host_;
  const ControlModel* model_ = nullptr;
  const UiState* state_ = nullptr;
  PaintedScreen painted_;
  bool running_ = false;
};

std::unique_ptr<Backend> MakeTerminalBackend(const LibrarySettings& settings, const HostServices& host);

}  // namespace VelumFab
