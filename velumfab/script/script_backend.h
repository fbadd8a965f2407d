#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "velumfab/core/backend.h"
#include "velumfab/script/script_steps.h"

namespace VelumFab {

// Plays a script of steps as the player's input and writes a transcript
// (UTF-8) of everything the dialog shows and does. Headless, on every build.
// A run that fails (a step, a condition, steps left unplayed) is reported to
// the host, which then ends with the failure exit code.
class ScriptBackend final : public Backend {
 public:
  ScriptBackend(const LibrarySettings& settings, const HostServices& host);

  bool Start(const ControlModel& model, const UiState& state, std::string& reason) override;
  void FrameOpened(int frame) override;
  void FrameClosed(int frame) override;
  void ControlChanged(int control, Change change) override;
  void FocusChanged() override;
  void BusyChanged() override;
  bool ReadInput(InputQueue& queue) override;
  void EventDelivered(const DeliveredEvent& event) override;
  void Stop() override;

 private:
  // Queues the input of `step`; false when the run must end there.
  bool Play(const ScriptStep& step, InputQueue& queue);
  // The close box of the window in front, once per window; false when a
  // window stays open after its close box.
  bool CloseWindowInFront(InputQueue& queue);
  bool Check(const ScriptStep& step, std::string& found) const;
  // The control `name` when it is in the window in front; else a failure.
  const Control* InFront(const ScriptStep& step, const std::string& name);
  void Fail(const ScriptStep& step, const std::string& why);
  void Finish(const std::string& why);
  void Write(const std::string& line);
  void WriteState(const Control& control);
  const Control& Get(int id) const { return *model_->Find(id); }

  LibrarySettings settings_;
  HostServices host_;
  const ControlModel* model_ = nullptr;
  const UiState* state_ = nullptr;
  std::vector<ScriptStep> steps_;
  std::size_t next_step_ = 0;
  std::ofstream transcript_;
  bool ending_ = false;     // `end` was played: every window closes
  int closing_frame_ = 0;   // the window whose close box was last pressed
  bool finished_ = false;
  int failures_ = 0;
};

std::unique_ptr<Backend> MakeScriptBackend(const LibrarySettings& settings, const HostServices& host);

}  // namespace VelumFab
