// Device-name normalisation against its definition, the seven regular
// expressions, on arbitrary bytes; and DeviceNameLess as a strict weak
// ordering on three names.
#include "fuzz_input.h"
#include "rating/device_name.h"
#include "support/reference_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string a = input.Text(), b = input.Text(), c = input.Rest();
  for (const std::string* name : {&a, &b, &c}) {
    const std::string ours = NormalizeDeviceName(*name);
    const std::string defined = ReferenceNormalizeDeviceName(*name);
    if (ours != defined) FuzzFailure("\"" + *name + "\" normalises to \"" + ours + "\", not \"" + defined + "\"");
  }
  const auto less = [](const std::string& x, const std::string& y) { return DeviceNameLess(x, y); };
  if (less(a, a)) FuzzFailure("a name is less than itself");
  if (less(a, b) && less(b, a)) FuzzFailure("two names are each less than the other");
  if (less(a, b) && less(b, c) && !less(a, c)) FuzzFailure("the order is not transitive");
  const auto same = [&](const std::string& x, const std::string& y) { return !less(x, y) && !less(y, x); };
  if (same(a, b) && same(b, c) && !same(a, c)) FuzzFailure("equivalence is not transitive");
  return 0;
}
