#pragma once

#include "framework/velum.h"

namespace Velum {

// The boilerplate every component of the contract shares: its id, the
// reserved slots, Init and Destroy. A component that does something at Init
// overrides it; one that is not freed by Destroy (a process-wide object)
// overrides that.
template <typename Interface, unsigned kId>
class Component : public Interface {
 public:
  virtual ~Component() = default;

  int GetComponentId() override { return static_cast<int>(kId); }
  int Reserved1() override { return 1; }
  void Destroy(int) override { delete this; }
  int Reserved2() override { return 0; }
  void Init(int) override {}
  void Reserved3() override {}
  void Reserved4() override {}
  void Reserved5() override {}
};

}  // namespace Velum
