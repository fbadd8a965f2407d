#include "probe/probe_summary.h"

#include <regex>

#include <gtest/gtest.h>

#include "app/machine_info.h"

namespace {

// The real probes of this build, on this machine: the shape of what they
// find, not its values.
TEST(ProbeSummaryOnThisMachine, ShowsAllTenEntriesInOrder) {
  const std::string summary = ProbeSummary();
  std::cout << summary;
  const std::regex shape(
      "MAC:\t([0-9A-F]{2}(-[0-9A-F]{2}){5})?\n\nMSVC:\t[\\s\\S]*\n\nResolution:\t(\\d+x\\d+, \\d+bits)?\n\n"
      "OS:\t(Windows \\d+\\.\\d+, SP \\d+\\.\\d+|Linux \\d+\\.\\d+)\n\nCPU:\t[^\n]*\n\nRAM:\t\\d+\\.\\d\\d MB\n\n"
      "GPU:\t([^;\n]+ -?\\d+\\.\\d+\\.\\d+\\.\\d+;)*\n\nAdapter:\t[^\n]*\n\nHost:\t[^\n]*@[^\n]*\n\n"
      "Times:\t\\d+\n\n");
  EXPECT_TRUE(std::regex_match(summary, shape)) << summary;
  MachineInfoRecord& info = MachineInfo();
  EXPECT_NE(info["RAM Bytes"], "0");
  EXPECT_EQ(info["Times"], summary.substr(summary.rfind('\t') + 1, summary.size() - summary.rfind('\t') - 3));
}

TEST(ProbeSummaryOnThisMachine, FindsTheNetworkIdentityOncePerProcess) {
  ProbeSummary();
  MachineInfoRecord& info = MachineInfo();
  const std::string mac = info["Mac"], adapter = info["AdapterName"], host = info["HostName"];
  ProbeSummary();
  EXPECT_EQ(info["Mac"], mac);
  EXPECT_EQ(info["AdapterName"], adapter);
  EXPECT_EQ(info["HostName"], host);
}

}  // namespace
