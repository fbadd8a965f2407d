#include "report/post_report.h"

#include <istream>
#include <ostream>
#include <sstream>

#include <boost/asio.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <boost/regex.hpp>

#include "platform/text_encoding.h"
#include "report/report_form.h"

namespace {

constexpr char kReportPath[] = "/kestrel/act/a2014checkmachine/postInfo.php";
// An answer is one line of JSON; anything beyond this is refused rather
// than held in memory.
constexpr std::size_t kMaxAnswerBytes = 1 << 20;

std::string Request(const ReportEndpoint& endpoint, const std::string& body) {
  std::ostringstream request;
  request << "POST http://" << endpoint.host << kReportPath << " HTTP/1.0\r\n"
          << "Host: " << endpoint.host << "\r\n"
          << "Content-Type: application/x-www-form-urlencoded\r\n"
          << "Content-Length: " << body.size() << "\r\n"
          << "\r\n"
          << body;
  return request.str();
}

void CheckStatusLine(std::istream& response) {
  std::string http_version;
  unsigned int status_code = 0;
  std::string status_message;
  response >> http_version >> status_code;
  std::getline(response, status_message);
  if (!response || http_version.substr(0, 5) != "HTTP/") throw std::runtime_error("Invalid response");
  if (status_code != 200) {
    throw std::runtime_error("Response returned with status code " + std::to_string(status_code));
  }
}

// The first line of the body, after the header lines.
std::string AnswerLine(std::istream& response) {
  std::string line;
  while (std::getline(response, line) && line != "\r" && !line.empty()) {
  }
  std::string answer;
  std::getline(response, answer);
  return answer;
}

// The JSON reader accepts only UTF-8, but the decoded answer is code page
// 936 text. Each byte from 0x80 up travels through the reader as a private-use
// character (U+F780 to U+F7FF, written in UTF-8) and is turned back after.
constexpr unsigned char kShieldLead = 0xEF;
constexpr unsigned char kShieldSecond = 0x9E;

std::string ShieldHighBytes(const std::string& text) {
  std::string shielded;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      shielded += c;
    } else {  // U+F700 + byte: EF 9E|9F 80..BF
      shielded += static_cast<char>(kShieldLead);
      shielded += static_cast<char>(kShieldSecond + (byte >> 6) - 2);
      shielded += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return shielded;
}

std::string UnshieldHighBytes(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const unsigned char second = i + 2 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (lead == kShieldLead && (second == kShieldSecond || second == kShieldSecond + 1)) {
      bytes += static_cast<char>(((second - kShieldSecond + 2) << 6) | (static_cast<unsigned char>(text[i + 2]) & 0x3F));
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

std::string Outcome(const std::string& answer) {
  boost::property_tree::ptree tree;
  std::istringstream json(ShieldHighBytes(DecodeUnicodeEscapes(answer)));
  boost::property_tree::read_json(json, tree);
  const int ret_code = tree.get<int>("ret_code");
  const std::string message = UnshieldHighBytes(tree.get<std::string>("msg"));
  if (ret_code == -1) throw ReplicatedCommit(message);
  if (ret_code < 0) throw std::logic_error(message);
  return message;
}

}  // namespace

ReportEndpoint BuildReportEndpoint() { return {MC_REPORT_HOST, MC_REPORT_SERVICE}; }

std::string PostReport() { return PostReportTo(BuildReportEndpoint()); }

std::string PostReportTo(const ReportEndpoint& endpoint) {
  namespace asio = boost::asio;
  using asio::ip::tcp;
  asio::io_context io;
  tcp::resolver resolver(io);
  const tcp::resolver::results_type addresses = resolver.resolve(endpoint.host, endpoint.service);
  tcp::socket socket(io);
  asio::connect(socket, addresses);

  asio::write(socket, asio::buffer(Request(endpoint, BuildReportForm())));

  asio::streambuf response(kMaxAnswerBytes);
  asio::read_until(socket, response, "\r\n");
  std::istream response_stream(&response);
  CheckStatusLine(response_stream);

  // The rest of the answer, up to the end of the stream (whatever ends it).
  boost::system::error_code ignored;
  while (asio::read(socket, response, asio::transfer_at_least(1), ignored) > 0) {
  }
  if (response.size() == kMaxAnswerBytes) throw std::runtime_error("Response larger than 1 MiB");
  return Outcome(AnswerLine(response_stream));
}

std::string DecodeUnicodeEscapes(const std::string& line) {
  static const boost::regex escape("\\\\u[0-9A-Fa-f]{4}");
  return boost::regex_replace(line, escape, [](const boost::smatch& match) {
    const auto unit = static_cast<std::uint16_t>(std::stoul(match.str().substr(2), nullptr, 16));
    return Cp936FromUtf16Unit(unit);
  });
}
