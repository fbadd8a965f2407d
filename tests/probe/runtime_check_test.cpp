#include "probe/runtime_check.h"

#include <gtest/gtest.h>

#include "app/machine_info.h"

namespace {

const std::string k2008 = "Microsoft Visual C++ 2008 Redistributable - x64 9.0.30729";
const std::string k2010 = "Microsoft Visual C++ 2010  x86 Redistributable - 10.0.40219";

TEST(StoreVcRuntime, CollectsEachPackageOnceInNameOrder) {
  MachineInfoRecord info;
  info["VC10"] = "";
  const std::vector<std::vector<UninstallEntry>> keys = {
      {{"{B}", k2010}, {"{X}", std::string("Some Game")}, {"{broken}", std::nullopt}},
      {{"{A}", k2008}, {"{B}", k2010}, {"{lower}", std::string("microsoft visual c++ 2013 runtime")}}};
  EXPECT_EQ(StoreVcRuntime(info, keys), "\n\t" + k2008 + "\n\t" + k2010);
  EXPECT_EQ(info["MSVC"], k2008 + ";" + k2010 + ";");
  EXPECT_EQ(info["VC10"], "supported");
}

TEST(StoreVcRuntime, WithoutPackagesListsNothingAndLeavesVc10) {
  MachineInfoRecord info;
  info["VC10"] = "earlier";
  EXPECT_EQ(StoreVcRuntime(info, {}), "");
  EXPECT_EQ(info["MSVC"], "");
  EXPECT_EQ(info["VC10"], "earlier");
  EXPECT_EQ(StoreVcRuntime(info, {{{"{A}", k2008}}}), "\n\t" + k2008);
  EXPECT_EQ(info["VC10"], "earlier");  // no 2010 package
}

}  // namespace
