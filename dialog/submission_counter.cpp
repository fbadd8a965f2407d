#include "dialog/submission_counter.h"

#include <algorithm>
#include <fstream>

#include <boost/interprocess/managed_shared_memory.hpp>

#include "app/machine_info.h"
#include "platform/named_marker.h"
#include "platform/temp_directory.h"

namespace {
// The segment manager of a 64-bit build needs more than 256 bytes before the
// first named object fits; 1 KiB leaves room for "count".
constexpr std::size_t kSegmentSize = 1024;
}

SubmissionCounter::SubmissionCounter(SubmissionCounterStores stores) : stores_(std::move(stores)) {}

std::string SubmissionCounter::FilePath() const { return TempDirectory() + stores_.file_name; }

std::uint32_t SubmissionCounter::ReadFileCount() const {
  std::ifstream file(FilePath(), std::ios::binary);
  char byte = 0;
  return file.get(byte) ? static_cast<unsigned char>(byte) : 0;
}

void SubmissionCounter::WriteFileCount(std::uint32_t count) const {
  std::ofstream file(FilePath(), std::ios::binary | std::ios::trunc);
  file.put(static_cast<char>(count & 0xFF));
}

std::uint32_t SubmissionCounter::Count(bool increment, MachineInfoRecord& info) {
  std::uint32_t file_count = ReadFileCount();
  if (increment) WriteFileCount(++file_count);
  if (FindNamedMarker(stores_.marker_name)) tally_ += 3;
  if (increment && ++tally_ >= 2) CreateNamedMarker(stores_.marker_name);
  SharedCount(increment, info);
  return std::max(file_count, tally_);
}

std::uint32_t SubmissionCounter::SharedCount(bool increment, MachineInfoRecord& info) {
  namespace ipc = boost::interprocess;
  std::uint32_t value = 0;
  try {
    ipc::managed_shared_memory segment(ipc::open_or_create, stores_.segment_name.c_str(), kSegmentSize);
    // Found or created under the segment's own lock, so two processes that
    // start at the same moment cannot both create it.
    std::uint32_t* count = segment.find_or_construct<std::uint32_t>("count")(0u);
    if (increment) ++*count;
    value = *count;
  } catch (const ipc::interprocess_exception&) {
    // Counts as 0: the limit never depends on this segment.
  }
  info["Times"] = std::to_string(value);
  return value;
}

namespace {
SubmissionCounter& ProcessCounter() {
  static SubmissionCounter counter(ProgramCounterStores());
  return counter;
}
}  // namespace

std::uint32_t SubmissionCount(bool increment) { return ProcessCounter().Count(increment, MachineInfo()); }

std::uint32_t SharedSubmissionCount(bool increment) { return ProcessCounter().SharedCount(increment, MachineInfo()); }
