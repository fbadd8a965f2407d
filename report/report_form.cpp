#include "report/report_form.h"

#include <map>

#include <boost/format.hpp>

#include "app/machine_info.h"
#include "platform/md5.h"

namespace {

constexpr char kBodyTemplate[] =
    "u=%s&mc=%s&cpu=%s&mm=%s&dm=%s&os=%s&rs=%s&hl=%s&pn=%s&nc=%s&ei=%s&ag=%s&sx=%s&pv=%s&tk=%s";

const std::map<std::string, std::string>& LevelCodes() {
  static const std::map<std::string, std::string> codes = {{"0", "0"}, {"1", "1"}, {"2", "2"},
                                                           {"3", "3"}, {"4", "4"}, {"5", "5"}};
  return codes;
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '~';
}

}  // namespace

std::string UrlEncode(std::string_view value) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(value.size() * 3);
  for (char c : value) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

std::string LevelCode(const std::string& level) {
  auto it = LevelCodes().find(level);
  return it == LevelCodes().end() ? std::string() : it->second;
}

std::string ReportToken(const std::string& account, const std::string& mac, const std::string& cpu,
                        const std::string& ram, const std::string& gpu, const std::string& level_code,
                        const std::string& times) {
  static const ReportSalts salts = BuildReportSalts();
  const std::string signed_text =
      account + salts.first + mac + cpu + ram + gpu + salts.second + level_code + times + salts.third;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string token;
  for (std::uint8_t byte : Md5(signed_text)) {
    token += kHex[byte >> 4];
    token += kHex[byte & 0x0F];
  }
  return token;
}

std::string BuildReportForm(MachineInfoRecord& info) {
  const std::string level_code = LevelCode(info["Level"]);
  const std::string token =
      ReportToken(info["Orbi"], info["Mac"], info["CPU"], info["RAM"], info["GPU"], level_code, info["Times"]);
  boost::format body(kBodyTemplate);
  for (const std::string& value :
       {info["Orbi"], info["Mac"], info["CPU"], info["RAM"], info["GPU"], info["OS"], info["Resolution"], level_code,
        info["HostName"], info["AdapterName"], info["Times"], info["Age"], info["Sex"], info["Province"], token}) {
    body % UrlEncode(value);
  }
  return body.str();
}

std::string BuildReportForm() { return BuildReportForm(MachineInfo()); }
