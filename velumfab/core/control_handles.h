#pragma once

#include <memory>
#include <vector>

#include "framework/velum.h"

namespace VelumFab {

class UILib;

// The program's view of one control: each operation goes to the library
// with the control's id. Edits are ITEdit, so the program's checked cast
// finds them and only them.
template <typename Interface>
class ControlHandle : public Interface {
 public:
  ControlHandle(UILib& lib, int id) : lib_(lib), id_(id) {}
  ~ControlHandle() override = default;

  void ApplyParams(Velum::IVariableParam* params) override;
  void SetVisible(bool visible) override;
  void SetFocus() override;
  const char* GetText() override;
  void SetText(const char* text) override;
  void SetRichText(const char* markup) override;
  void ClearText() override;
  int RunModal() override;
  void EndModal(int control_id) override;
  int GetCurSel() override;
  void SetEventHandler(Velum::IUILibEvent* sink) override;

 protected:
  UILib& lib_;
  int id_;
};

class EditHandle final : public ControlHandle<Velum::ITEdit> {
 public:
  using ControlHandle::ControlHandle;
  void OnTabFocus() override;
};

using PlainHandle = ControlHandle<Velum::IControl>;

// The handles of a layout's controls, by id.
class ControlHandles {
 public:
  void Make(UILib& lib, int id, bool edit);
  void Clear();
  Velum::IControl* Find(int id) const;

 private:
  std::vector<std::unique_ptr<PlainHandle>> plain_;
  std::vector<std::unique_ptr<EditHandle>> edits_;
  std::vector<Velum::IControl*> by_id_;
};

}  // namespace VelumFab
