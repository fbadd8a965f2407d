#include "report/post_report.h"

// The publisher's service, fixed when the program is built
// (cmake -DMC_REPORT_HOST=... -DMC_REPORT_SERVICE=...).
ReportEndpoint BuildReportEndpoint() {
  return {MC_REPORT_HOST, MC_REPORT_SERVICE, std::chrono::seconds(MC_REPORT_DEADLINE_SECONDS)};
}
