#pragma once

#include <deque>
#include <fstream>
#include <string>
#include <vector>

#include "velumfab/core/backend.h"
#include "velumfab/core/host_services.h"
#include "velumfab/core/library_settings.h"
#include "velumfab/script/script_steps.h"

namespace VelumFab {

// Plays a script of steps as the player's input and writes a transcript
// (UTF-8) of everything the dialog shows and does. Headless, on every build.
class ScriptBackend final : public Backend {
 public:
  ScriptBackend(const LibrarySettings& settings, const HostServices& host);

  bool Start(const ControlModel& model, std::string& reason) override;
  void FrameOpened(int frame) override;
  void FrameClosed(int frame) override;
  void ControlChanged(int control, Change change) override;
  void FocusChanged(int control) override;
  std::optional<InputEvent> NextInput() override;
  void EventDelivered(const DeliveredEvent& event) override;
  void Stop() override;

 private:
  // Queues the input of `step`; false when the run must end there.
  bool Play(const ScriptStep& step);
  bool Check(const ScriptStep& step, std::string& found) const;
  // The control `name` when it is in the window in front; else a failure.
  const Control* InFront(const ScriptStep& step, const std::string& name);
  void Type(int control, const std::string& text);
  void Fail(const ScriptStep& step, const std::string& why);
  void Finish(const std::string& why);
  void Write(const std::string& line);
  void WriteState(const Control& control);
  const Control& Get(int id) const { return *model_->Find(id); }

  LibrarySettings settings_;
  HostServices host_;
  const ControlModel* model_ = nullptr;
  std::vector<ScriptStep> steps_;
  std::size_t next_step_ = 0;
  std::deque<InputEvent> queued_;
  std::vector<int> open_frames_;
  std::ofstream transcript_;
  int focused_ = 0;
  bool finished_ = false;
  int failures_ = 0;
};

}  // namespace VelumFab
