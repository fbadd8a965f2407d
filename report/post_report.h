#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

// The service's answer that this report was committed before (ret_code -1).
class ReplicatedCommit : public std::runtime_error {
 public:
  explicit ReplicatedCommit(const std::string& message) : std::runtime_error(message) {}
};

// Where reports go: a host and a port service, and how long one whole
// exchange (resolve, connect, write, read) may take.
struct ReportEndpoint {
  std::string host;
  std::string service;
  std::chrono::milliseconds deadline{std::chrono::seconds(20)};
};

// The endpoint this program was built for (a constant of the build).
ReportEndpoint BuildReportEndpoint();

// What an exchange did that its caller may want to log.
struct ExchangeNotes {
  // The service sent a complete answer but kept the connection open past
  // the deadline: the answer was used all the same.
  bool answer_kept_at_deadline = false;
};

// Posts the report form to the build's endpoint and returns the service's
// "msg". Throws ReplicatedCommit for ret_code -1, std::logic_error for lower
// codes, and other std::exception-derived errors for every other failure,
// a silent service among them: past the deadline the exchange gives up,
// unless a complete answer has arrived by then.
std::string PostReport(ExchangeNotes* notes = nullptr);
std::string PostReportTo(const ReportEndpoint& endpoint, ExchangeNotes* notes = nullptr);

// The outcome of a whole response as received (status line, headers, the
// one-line JSON answer): the "msg", or the exceptions PostReport throws.
std::string ReportOutcome(const std::string& response);

// The most a response may hold after its status line, and the longest
// status line: larger responses are refused rather than held in memory.
constexpr std::size_t kMaxAnswerBytes = 1 << 20;
constexpr char kAnswerTooLarge[] = "Response larger than 1 MiB";

// The answer is one object of two members; deeper nesting is refused before
// the recursive JSON reader sees it, so no answer can exhaust the stack.
constexpr int kMaxAnswerNesting = 16;
constexpr char kAnswerTooDeep[] = "Invalid response: the answer is nested deeper than 16 levels";

// Whether `response` (status line onwards) holds the whole answer line: its
// header lines ended and the first body line ended too, or the body holds
// the Content-Length the headers announced.
bool HoldsCompleteAnswer(const std::string& response);

// Replaces each \uXXXX escape of `line` by that UTF-16 unit in code page 936.
std::string DecodeUnicodeEscapes(const std::string& line);
