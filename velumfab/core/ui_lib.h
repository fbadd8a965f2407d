#pragma once

#include <map>
#include <memory>
#include <string>

#include "framework/component_base.h"
#include "velumfab/core/backend.h"
#include "velumfab/core/control_handles.h"
#include "velumfab/core/control_model.h"
#include "velumfab/core/host_services.h"
#include "velumfab/core/input_queue.h"
#include "velumfab/core/library_settings.h"
#include "velumfab/core/ui_state.h"

namespace VelumFab {

// The UI library component (186): one layout, its controls, the focus, the
// modal loops, the player's input and the events sent to the program.
// Backends draw the model and hand back input; everything else happens
// here, the same for every backend.
class UILib : public Velum::Component<Velum::IUILib, Velum::kUILibId> {
 public:
  UILib(std::string directory, const BackendTable& backends);
  ~UILib() override;

  // Finds the host's services and reads the library's settings.
  void Init(int) override;
  int LoadLayout(const char* file_name, int) override;
  void Shutdown() override;
  // 0 for a name no control has; GetControl(0) is null.
  int GetControlId(const char* control_name, int) override;
  Velum::IControl* GetControl(int control_id) override;
  int GetFocusControlId() override;
  void SetEventSink(int, Velum::IUILibEvent* sink) override;

  // The operations of the controls, by id (reached through their handles).
  void ApplyParams(int id, Velum::IVariableParam* params);
  void SetVisible(int id, bool visible);
  void SetFocus(int id);
  const char* GetText(int id);
  void SetText(int id, const char* text);
  void SetRichText(int id, const char* markup);
  void ClearText(int id);
  int RunModal(int id);
  void EndModal(int id, int result);
  int GetCurSel(int id);
  void SetEventHandler(int id, Velum::IUILibEvent* sink);
  void OnTabFocus(int id);

  // One piece of input, with its default actions.
  void Dispatch(const InputEvent& input);

  const ControlModel& Model() const { return model_; }
  const UiState& State() const { return state_; }

 private:
  // The control `id` when it is of one of `kinds`; else the misuse is logged.
  Control* ControlFor(int id, const char* operation, std::initializer_list<ControlKind> kinds);
  void Changed(int id, Change change);
  bool EnsureBackend();
  void Fail(const std::string& why);
  void FocusOn(int id);
  void RefocusIfHidden(const Control& control);
  void SetBusy(bool busy);

  // Sends an event to the program; true when it marked the event handled.
  bool Send(int control, int code, int message, unsigned key);
  void KeyDown(Control& control, unsigned key, bool shift);
  void EditKey(Control& edit, unsigned key);
  void ListKey(Control& combo, unsigned key);
  void Character(Control& control, char32_t character);
  void KeyUp(Control& control, unsigned key);
  void Click(int id);
  void Choose(int id, int item);
  void OpenList(int id);
  void CloseList();
  void Cancel();
  void MoveFocus(bool backwards);

  std::string directory_;
  const BackendTable& backends_;
  HostServices host_;
  LibrarySettings settings_;
  ControlModel model_;
  UiState state_;
  InputQueue queue_;
  ControlHandles handles_;
  std::unique_ptr<Backend> backend_;
  Velum::IUILibEvent* sink_ = nullptr;
  std::map<int, Velum::IUILibEvent*> handlers_;  // by dialog
  int pending_click_ = 0;                        // a button whose Enter or Space awaits its key up
  unsigned pending_click_key_ = 0;
  unsigned swallowed_key_ = 0;  // a key whose press acted on an open list: its character and key up go nowhere
  std::string empty_text_;
};

}  // namespace VelumFab
