#pragma once

#include <stdexcept>
#include <string>

// The service's answer that this report was committed before (ret_code -1).
class ReplicatedCommit : public std::runtime_error {
 public:
  explicit ReplicatedCommit(const std::string& message) : std::runtime_error(message) {}
};

// Where reports go: a host and a port service.
struct ReportEndpoint {
  std::string host;
  std::string service;
};

// The endpoint this program was built for.
ReportEndpoint BuildReportEndpoint();

// Posts the report form to the build's endpoint and returns the service's
// "msg". Throws ReplicatedCommit for ret_code -1, std::logic_error for lower
// codes, and other std::exception-derived errors for every other failure.
std::string PostReport();
std::string PostReportTo(const ReportEndpoint& endpoint);

// Replaces each \uXXXX escape of `line` by that UTF-16 unit in code page 936.
std::string DecodeUnicodeEscapes(const std::string& line);
