#include "report/post_report.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstdio>
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

namespace asio = boost::asio;
using asio::ip::tcp;
using Clock = std::chrono::steady_clock;

constexpr char kReportPath[] = "/kestrel/act/a2014checkmachine/postInfo.php";

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

// Refuses an answer whose arrays and objects nest deeper than the limit;
// brackets inside strings do not count.
void CheckNesting(const std::string& answer) {
  int depth = 0;
  bool in_string = false;
  for (std::size_t i = 0; i < answer.size(); ++i) {
    const char c = answer[i];
    if (in_string) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxAnswerNesting) throw std::runtime_error(kAnswerTooDeep);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
}

std::string Outcome(const std::string& answer) {
  CheckNesting(answer);
  boost::property_tree::ptree tree;
  std::istringstream json(ShieldHighBytes(DecodeUnicodeEscapes(answer)));
  boost::property_tree::read_json(json, tree);
  const int ret_code = tree.get<int>("ret_code");
  const std::string message = UnshieldHighBytes(tree.get<std::string>("msg"));
  if (ret_code == -1) throw ReplicatedCommit(message);
  if (ret_code < 0) throw std::logic_error(message);
  return message;
}


std::string Seconds(std::chrono::milliseconds duration) {
  char text[32];
  const double seconds = static_cast<double>(duration.count()) / 1000.0;
  std::snprintf(text, sizeof text, duration.count() % 1000 == 0 ? "%.0f" : "%.1f", seconds);
  return text;
}

// A failed step of the exchange, in words a player can pass on
// ("connect: Connection refused"): without the source location Boost adds
// to its own text.
class ExchangeError : public boost::system::system_error {
 public:
  ExchangeError(const boost::system::error_code& error, const std::string& step)
      : boost::system::system_error(error, step), text_(step + ": " + error.message()) {}
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  std::string text_;
};

// A step that had not completed when the deadline passed.
class DeadlinePassed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One exchange on one io_context, every step bounded by the same deadline.
// The steps run asynchronously on this thread; when the deadline passes,
// the socket is closed and the step in progress fails.
class Exchange {
 public:
  Exchange(const ReportEndpoint& endpoint, ExchangeNotes* notes)
      : endpoint_(endpoint), notes_(notes), deadline_(Clock::now() + endpoint.deadline), socket_(io_) {}

  // Connects, then sends what `request` builds (the form is built from the
  // record only once the connection is open) and reads the response.
  template <typename BuildRequest>
  std::string Run(BuildRequest request_bytes) {
    tcp::resolver resolver(io_);
    tcp::resolver::results_type addresses;
    Await("resolve", [&](auto done) {
      resolver.async_resolve(endpoint_.host, endpoint_.service, [&, done](boost::system::error_code error, auto found) {
        addresses = found;
        done(error);
      });
    }, [&] { resolver.cancel(); });
    Await("connect", [&](auto done) {
      asio::async_connect(socket_, addresses, [done](boost::system::error_code error, const auto&) { done(error); });
    });
    const std::string request = request_bytes();
    Await("write", [&](auto done) {
      asio::async_write(socket_, asio::buffer(request),
                        [done](boost::system::error_code error, std::size_t) { done(error); });
    });
    ReadStatusLine();
    ReadToTheEnd();
    return response_;
  }

 private:
  // Runs one step until it completes or the deadline passes.
  template <typename Start, typename Cancel>
  void Await(const char* step, Start start, Cancel cancel) {
    bool finished = false;
    boost::system::error_code result;
    start([&](boost::system::error_code error) {
      finished = true;
      result = error;
    });
    io_.restart();
    while (!finished && Clock::now() < deadline_) io_.run_one_until(deadline_);
    if (!finished) {
      cancel();
      boost::system::error_code ignored;
      socket_.close(ignored);
      io_.restart();
      io_.run();  // lets the cancelled step finish
      throw DeadlinePassed(std::string(step) + ": no answer from the report service within " +
                           Seconds(endpoint_.deadline) + " s");
    }
    if (result) throw ExchangeError(result, step);
  }
  template <typename Start>
  void Await(const char* step, Start start) {
    Await(step, start, [] {});
  }

  // Reads some bytes; false at the end of the stream (or any error there).
  bool ReadSome(const char* step, bool errors_fail) {
    std::size_t received = 0;
    boost::system::error_code failure;
    Await(step, [&](auto done) {
      socket_.async_read_some(asio::buffer(chunk_), [&, done](boost::system::error_code error, std::size_t size) {
        received = size;
        failure = error;
        done({});
      });
    });
    response_.append(chunk_.data(), received);
    if (failure && errors_fail) throw ExchangeError(failure, step);
    return !failure;
  }

  void ReadStatusLine() {
    while (response_.find("\r\n") == std::string::npos) {
      if (response_.size() > kMaxAnswerBytes) throw std::runtime_error(kAnswerTooLarge);
      ReadSome("read_until", true);
    }
    status_line_end_ = response_.find("\r\n") + 2;
    if (status_line_end_ > kMaxAnswerBytes) throw std::runtime_error(kAnswerTooLarge);
  }

  // The rest, up to the end of the stream (whatever ends it). A service
  // that keeps the connection open after its whole answer is waited for
  // until the deadline; then what arrived is used.
  void ReadToTheEnd() {
    try {
      while (response_.size() - status_line_end_ <= kMaxAnswerBytes) {
        if (!ReadSome("read", false)) return;
      }
    } catch (const DeadlinePassed&) {
      if (!HoldsCompleteAnswer(response_)) throw;
      if (notes_ != nullptr) notes_->answer_kept_at_deadline = true;
      return;
    }
    throw std::runtime_error(kAnswerTooLarge);
  }

  const ReportEndpoint& endpoint_;
  ExchangeNotes* notes_;
  const Clock::time_point deadline_;
  asio::io_context io_;
  tcp::socket socket_;
  std::array<char, 64 * 1024> chunk_{};
  std::string response_;
  std::size_t status_line_end_ = 0;
};

}  // namespace

std::string PostReport(ExchangeNotes* notes) { return PostReportTo(BuildReportEndpoint(), notes); }

std::string PostReportTo(const ReportEndpoint& endpoint, ExchangeNotes* notes) {
  Exchange exchange(endpoint, notes);
  return ReportOutcome(exchange.Run([&] { return Request(endpoint, BuildReportForm()); }));
}

std::string ReportOutcome(const std::string& response) {
  std::istringstream response_stream(response);
  CheckStatusLine(response_stream);
  return Outcome(AnswerLine(response_stream));
}

bool HoldsCompleteAnswer(const std::string& response) {
  std::istringstream stream(response);
  std::string line;
  std::getline(stream, line);  // the status line
  std::size_t content_length = 0;
  bool has_length = false;
  while (true) {
    if (!std::getline(stream, line) || stream.eof()) return false;  // the header lines never ended
    if (line == "\r" || line.empty()) break;
    const std::string name = "content-length:";
    std::string lower = line.substr(0, name.size());
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == name) {
      has_length = true;
      content_length = std::strtoul(line.c_str() + name.size(), nullptr, 10);
    }
  }
  const std::size_t body_begin = static_cast<std::size_t>(stream.tellg());
  const std::size_t body_size = response.size() - body_begin;
  if (has_length && content_length > 0 && body_size >= content_length) return true;
  return response.find('\n', body_begin) != std::string::npos;
}

std::string DecodeUnicodeEscapes(const std::string& line) {
  static const boost::regex escape("\\\\u[0-9A-Fa-f]{4}");
  return boost::regex_replace(line, escape, [](const boost::smatch& match) {
    const auto unit = static_cast<std::uint16_t>(std::stoul(match.str().substr(2), nullptr, 16));
    return Cp936FromUtf16Unit(unit);
  });
}
