#include "probe/probe_summary.h"

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "dialog/submission_counter.h"
#include "probe/graphics_adapters.h"
#include "probe/network_identity.h"
#include "probe/runtime_check.h"
#include "probe/system_facts.h"

namespace {
constexpr char kSummaryFormat[] =
    "MAC:\t%s\n\nMSVC:\t%s\n\nResolution:\t%s\n\nOS:\t%s\n\nCPU:\t%s\n\nRAM:\t%s\n\nGPU:\t%s\n\n"
    "Adapter:\t%s\n\nHost:\t%s\n\nTimes:\t%d\n\n";
}

std::string ProbeSummary() {
  const std::string mac = ProbeNetworkIdentity();
  const std::string runtimes = ProbeVcRuntime();
  const std::string resolution = ProbeDisplayMode();
  const std::string os = ProbeOsVersion();
  const std::string cpu = ProbeCpuName();
  const std::string ram = ProbeMemory();
  const std::string gpus = ProbeGraphicsAdapters();
  const std::uint32_t times = SharedSubmissionCount(false);
  MachineInfoRecord& info = MachineInfo();
  const std::string adapter = info["AdapterName"];
  const std::string host = info["HostName"];
  return (boost::format(kSummaryFormat) % mac % runtimes % resolution % os % cpu % ram % gpus % adapter % host %
          times)
      .str();
}
