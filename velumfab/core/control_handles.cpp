#include "velumfab/core/control_handles.h"

#include "velumfab/core/ui_lib.h"

namespace VelumFab {

template <typename I>
void ControlHandle<I>::ApplyParams(Velum::IVariableParam* params) { lib_.ApplyParams(id_, params); }
template <typename I>
void ControlHandle<I>::SetVisible(bool visible) { lib_.SetVisible(id_, visible); }
template <typename I>
void ControlHandle<I>::SetFocus() { lib_.SetFocus(id_); }
template <typename I>
const char* ControlHandle<I>::GetText() { return lib_.GetText(id_); }
template <typename I>
void ControlHandle<I>::SetText(const char* text) { lib_.SetText(id_, text); }
template <typename I>
void ControlHandle<I>::SetRichText(const char* markup) { lib_.SetRichText(id_, markup); }
template <typename I>
void ControlHandle<I>::ClearText() { lib_.ClearText(id_); }
template <typename I>
int ControlHandle<I>::RunModal() { return lib_.RunModal(id_); }
template <typename I>
void ControlHandle<I>::EndModal(int control_id) { lib_.EndModal(id_, control_id); }
template <typename I>
int ControlHandle<I>::GetCurSel() { return lib_.GetCurSel(id_); }
template <typename I>
void ControlHandle<I>::SetEventHandler(Velum::IUILibEvent* sink) { lib_.SetEventHandler(id_, sink); }

template class ControlHandle<Velum::IControl>;
template class ControlHandle<Velum::ITEdit>;

void EditHandle::OnTabFocus() { lib_.OnTabFocus(id_); }

void ControlHandles::Make(UILib& lib, int id, bool edit) {
  if (by_id_.size() <= static_cast<std::size_t>(id)) by_id_.resize(static_cast<std::size_t>(id) + 1, nullptr);
  if (edit) {
    edits_.push_back(std::make_unique<EditHandle>(lib, id));
    by_id_[static_cast<std::size_t>(id)] = edits_.back().get();
  } else {
    plain_.push_back(std::make_unique<PlainHandle>(lib, id));
    by_id_[static_cast<std::size_t>(id)] = plain_.back().get();
  }
}

void ControlHandles::Clear() {
  by_id_.clear();
  plain_.clear();
  edits_.clear();
}

Velum::IControl* ControlHandles::Find(int id) const {
  return id > 0 && static_cast<std::size_t>(id) < by_id_.size() ? by_id_[static_cast<std::size_t>(id)] : nullptr;
}

}  // namespace VelumFab
