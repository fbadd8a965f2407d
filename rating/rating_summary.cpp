#include "rating/rating_summary.h"

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "rating/rating.h"
#include "rating/score_table.h"

namespace {

constexpr char kSummaryTemplate[] = "CPU: %1%, GPU: %2%, Level: %3%, GainExtra: %4%\n";
constexpr char kNotFound[] = "[NOT FOUND]";

std::string ScoreText(const ScoreTable& table, const std::string& name) {
  const std::int32_t* score = table.Find(name);
  return score == nullptr ? kNotFound : std::to_string(*score);
}

std::string SummaryOfRated(MachineInfoRecord& info) {
  const std::string graphics = ScoreText(GpuTable(), info["GPU"]);
  const std::string processor = ScoreText(CpuTable(), info["CPU"]);
  return (boost::format(kSummaryTemplate) % processor % graphics % info["Level"] % info["GainExtra"]).str();
}

}  // namespace

std::string RatingSummary(MachineInfoRecord& info) {
  RateRecord(info);
  return SummaryOfRated(info);
}

std::string RatingSummary() {
  RateMachine();
  return SummaryOfRated(MachineInfo());
}
