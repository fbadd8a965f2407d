#include "velumfab/core/control_model.h"

#include <algorithm>

namespace VelumFab {

void ControlModel::Add(Control control) {
  control.id = static_cast<int>(controls_.size()) + 1;
  if (control.kind == ControlKind::kDialog) {
    control.owner = control.id;
  } else if (const Control* parent = Find(control.frame)) {
    control.owner = parent->owner;
  }
  if (IsFrame(control.kind)) control.frame = control.id;
  ids_[control.name] = control.id;
  controls_.push_back(std::move(control));
}

Control* ControlModel::Find(int id) {
  return id >= 1 && id <= static_cast<int>(controls_.size()) ? &controls_[static_cast<std::size_t>(id) - 1] : nullptr;
}

const Control* ControlModel::Find(int id) const { return const_cast<ControlModel*>(this)->Find(id); }

int ControlModel::IdOf(const std::string& name) const {
  const auto it = ids_.find(name);
  return it == ids_.end() ? 0 : it->second;
}

std::vector<int> ControlModel::FocusOrder(int frame) const {
  std::vector<int> order;
  for (const Control& control : controls_) {
    if (control.frame == frame && !IsFrame(control.kind) && TakesFocus(control)) order.push_back(control.id);
  }
  return order;
}

int ControlModel::NextInFocusOrder(int frame, int current, bool backwards) const {
  const std::vector<int> order = FocusOrder(frame);
  if (order.empty()) return 0;
  const auto it = std::find(order.begin(), order.end(), current);
  if (it == order.end()) return order.front();
  const std::size_t at = static_cast<std::size_t>(it - order.begin());
  const std::size_t count = order.size();
  return order[backwards ? (at + count - 1) % count : (at + 1) % count];
}

bool IsFrame(ControlKind kind) { return kind == ControlKind::kDialog || kind == ControlKind::kPanel; }

bool TakesFocus(const Control& control) {
  if (!control.visible) return false;
  switch (control.kind) {
    case ControlKind::kEdit:
    case ControlKind::kButton:
    case ControlKind::kCombo: return true;
    case ControlKind::kLabel: return control.clickable;
    default: return false;
  }
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kDialog: return "dialog";
    case ControlKind::kPanel: return "panel";
    case ControlKind::kLabel: return "label";
    case ControlKind::kRichLabel: return "richlabel";
    case ControlKind::kEdit: return "edit";
    case ControlKind::kButton: return "button";
    case ControlKind::kCombo: return "combo";
  }
  return "?";
}

}  // namespace VelumFab
