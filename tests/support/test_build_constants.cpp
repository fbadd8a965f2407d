// The constants of the build, as the test programs and the test build of
// the executable have them: the report service the tests start on loopback
// (MC_TEST_REPORT_SERVICE_PORT), a short deadline, the default salts, and
// submission counter stores of their own (MC_TEST_COUNTER names them), so
// that no test touches a player's count.
#include <cstdlib>

#include "dialog/submission_counter.h"
#include "report/post_report.h"
#include "report/report_form.h"

namespace {

std::string Environment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : fallback;
}

}  // namespace

ReportEndpoint BuildReportEndpoint() {
  return {"127.0.0.1", Environment("MC_TEST_REPORT_SERVICE_PORT", "9"),
          std::chrono::milliseconds(std::stoi(Environment("MC_TEST_REPORT_DEADLINE_MS", "3000")))};
}

// The salts the reference service checks by default.
ReportSalts BuildReportSalts() { return {"Q!z8&Lm#4pT*w2e", "#&!%$KRTV3N92", "v7.201911qx$"}; }

SubmissionCounterStores ProgramCounterStores() {
  const std::string suffix = "-test-" + Environment("MC_TEST_COUNTER", "default");
  SubmissionCounterStores stores;
  stores.file_name += suffix;
  stores.marker_name += suffix;
  stores.segment_name += suffix;
  return stores;
}
