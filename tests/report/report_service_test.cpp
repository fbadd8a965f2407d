// The exchange with the reference report service (tools/report-service),
// which ctest starts on loopback: on MC_TEST_REPORT_SERVICE_PORT a service
// with the program's salts, on the next port one with other salts.
#include <cstdlib>
#include <random>

#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "report/post_report.h"

namespace {

ReportEndpoint Service(int port_offset) {
  const char* port = std::getenv("MC_TEST_REPORT_SERVICE_PORT");
  return {"127.0.0.1", port != nullptr ? std::to_string(std::stoi(port) + port_offset) : ""};
}
const int kOwnSalts = 0;
const int kOtherSalts = 1;

// A report of an account this test run has not used before.
void DescribeNewReport() {
  MachineInfoRecord& info = MachineInfo();
  info["Orbi"] = std::to_string(10000000 + std::random_device()() % 90000000);
  info["Mac"] = "00-1B-21-3A-4F-5C";
  info["CPU"] = "Intel Core i7 980X @ 3.33GHz";
  info["RAM"] = "8192.00 MB";
  info["GPU"] = "NVIDIA GeForce GTX 690";
  info["Level"] = "1";
  info["Times"] = "0";
  info["Age"] = "2";
  info["Sex"] = "1";
  info["Province"] = "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8";
}

// The service's messages, as code page 936 bytes.
const char kThanks[] = "\xB8\xD0\xD0\xBB";        // "thank", at the start of the acceptance
const char kSubmittedBefore[] = "\xC4\xFA\xD2\xD1";  // "you have", at the start of the repeat answer

TEST(ReportService, AcceptsAReportOnceAndAnswersARepeatWithReplicatedCommit) {
  DescribeNewReport();
  const ReportEndpoint service = Service(kOwnSalts);
  const std::string accepted = PostReportTo(service);
  EXPECT_EQ(accepted.rfind(kThanks, 0), 0u) << accepted;
  try {
    PostReportTo(service);
    ADD_FAILURE() << "the repeat was accepted";
  } catch (const ReplicatedCommit& repeat) {
    EXPECT_EQ(std::string(repeat.what()).rfind(kSubmittedBefore, 0), 0u) << repeat.what();
  }
}

TEST(ReportService, RefusesAReportSignedWithOtherSalts) {
  DescribeNewReport();
  EXPECT_THROW(PostReportTo(Service(kOtherSalts)), std::logic_error);
}

}  // namespace
