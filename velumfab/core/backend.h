#pragma once

#include <memory>
#include <string>
#include <vector>

#include "velumfab/core/control_model.h"
#include "velumfab/core/host_services.h"
#include "velumfab/core/input_queue.h"
#include "velumfab/core/library_settings.h"
#include "velumfab/core/ui_state.h"

namespace VelumFab {

// What changed in a control, for the backend to show.
enum class Change { kText, kVisibility, kSelection, kColor, kCaret, kList };

// An event the library sent to the program, and what the program did.
struct DeliveredEvent {
  int control = 0;
  int code = 0;
  int message = 0;  // 0 for a click
  unsigned key = 0;
  bool handled = false;
  bool had_sink = false;
};

// What a backend does: show the model and the state the core keeps, and
// read the player's input into the core's queue. The core owns the
// controls, their texts and carets, the focus, the open windows, an open
// list and the modal loop; a backend reads them and never keeps copies.
class Backend {
 public:
  virtual ~Backend() = default;

  // Prepares to show `model` in `state`, which outlive the backend; false,
  // with the reason, when this backend cannot run here.
  virtual bool Start(const ControlModel& model, const UiState& state, std::string& reason) = 0;
  virtual void FrameOpened(int frame) = 0;
  virtual void FrameClosed(int frame) = 0;
  virtual void ControlChanged(int control, Change change) = 0;
  virtual void FocusChanged() = 0;
  // The program is at work on an event (UiState::busy), or done with it.
  virtual void BusyChanged() = 0;
  // Waits for input and pushes it into `queue`; false once no more input
  // can come.
  virtual bool ReadInput(InputQueue& queue) = 0;
  // Pushes the input the player made before the program took up an event,
  // without waiting: what is typed ahead is kept.
  virtual void TakePendingInput(InputQueue&) {}
  // Drops what the player typed or clicked while the program was busy.
  virtual void DropPendingInput() {}
  virtual void EventDelivered(const DeliveredEvent&) {}
  virtual void Stop() = 0;
};

// Makes one backend of this build.
using BackendMaker = std::unique_ptr<Backend> (*)(const LibrarySettings& settings, const HostServices& host);

// A backend by the name Velum.ini and VELUM_BACKEND choose it with.
struct BackendEntry {
  const char* name;
  BackendMaker make;
};

// The backends built into the library, its default (the native one) first.
using BackendTable = std::vector<BackendEntry>;

}  // namespace VelumFab
