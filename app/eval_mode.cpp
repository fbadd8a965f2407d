#include "app/eval_mode.h"

#include <boost/format.hpp>
#include <boost/lexical_cast.hpp>

#include "app/machine_info.h"
#include "app/memory_size.h"
#include "app/messages.h"
#include "platform/exit_status.h"
#include "platform/message_box.h"
#include "rating/rating.h"
#include "rating/score_table.h"

EvalValue SplitEvalValue(const std::string& value) {
  const std::size_t first = value.find('|');
  if (first == std::string::npos) return {value, value, value};
  const std::size_t last = value.rfind('|');
  if (first == last) return {value.substr(0, first), value.substr(first + 1), value.substr(first + 1)};
  return {value.substr(0, first), value.substr(first + 1, last - first - 1), value.substr(last + 1)};
}

int RunEvalMode(const std::string& value, bool mute) {
  const EvalValue parts = SplitEvalValue(value);
  const MemorySize memory = MemoryBytesFromText(parts.memory_gib, kBytesPerGibibyte);
  if (!memory) {
    const char* text = memory.fault == MemorySize::Fault::kOutOfRange ? kEvalMemoryOutOfRange : kBadEvalMemory;
    ReportFailure((boost::format(text) % parts.memory_gib).str());
    return FailureExitCode();
  }
  MachineInfoRecord& info = MachineInfo();
  info["CPU"] = parts.processor;
  info["GPU"] = parts.graphics;
  info["RAM Bytes"] = std::to_string(memory.bytes);
  RateMachine();

  const std::int32_t processor_score = CpuTable().FindOrInsert(info["CPU"]);
  const std::int32_t graphics_score = GpuTable().FindOrInsert(info["GPU"]);
  const std::string report = (boost::format("CPU: %s\t%d\nGPU: %s\t%d\nLevel: %s\nGainExtra: %s") % info["CPU"] %
                              processor_score % info["GPU"] % graphics_score % info["Level"] % info["GainExtra"])
                                 .str();
  if (!mute) ShowMessageBox(kEvalCaption, report, MessageIcon::kNone);
  return HandOverBonus(boost::lexical_cast<int>(info["GainExtra"]), !mute);
}
