#pragma once

#include <cstdint>
#include <string>

#include "app/machine_info.h"

// Where a submission counter keeps its count. The program uses the defaults;
// tests use names of their own so that they never touch a player's count.
struct SubmissionCounterStores {
  std::string file_name = "708E0519-E312-434D-8AFA-ABE58FFD07E2.tmp";  // one byte, in the temporary directory
  std::string marker_name = "A4EC747529BA4532BD5466F659CFC9CE";       // marks a second submission in a logon
  std::string segment_name = "82CC3F0A-27D6-48F6-B1DC-F89A2206A2C8";  // shared memory, lasts until restart
};

// Limits each user of a machine to two counted submissions. The count is the
// larger of the counter file's byte and a per-process tally that grows by 3
// whenever the marker of an earlier second submission is found.
class SubmissionCounter {
 public:
  explicit SubmissionCounter(SubmissionCounterStores stores = {});

  // The current count, after counting one more submission when `increment`.
  // Also refreshes "Times" of `info` through SharedCount.
  std::uint32_t Count(bool increment, MachineInfoRecord& info);

  // The number of submissions counted since the machine started (after
  // adding one when `increment`), also stored under "Times" of `info`. A
  // shared segment that cannot be opened counts as 0.
  std::uint32_t SharedCount(bool increment, MachineInfoRecord& info);

 private:
  std::string FilePath() const;
  std::uint32_t ReadFileCount() const;
  void WriteFileCount(std::uint32_t count) const;

  SubmissionCounterStores stores_;
  std::uint32_t tally_ = 0;
};

// The stores of this program's counter: the names above in the program (a
// constant of the build); test builds use names of their own.
SubmissionCounterStores ProgramCounterStores();

// The process's counter, with the program's stores, on the process's record.
std::uint32_t SubmissionCount(bool increment);
std::uint32_t SharedSubmissionCount(bool increment);
