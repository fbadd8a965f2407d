#include "report/post_report.h"

#include <cstdlib>
#include <type_traits>

#include <boost/property_tree/exceptions.hpp>
#include <boost/property_tree/json_parser/error.hpp>
#include <boost/system/system_error.hpp>
#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "report/report_form.h"
#include "support/scripted_peer.h"

namespace {

const char kHeaders[] = "HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n\r\n";

std::string PostTo(const ScriptedPeer& peer) { return PostReportTo({"127.0.0.1", peer.Port()}); }

std::string Answered(const std::string& answer) {
  ScriptedPeer peer(answer);
  return PostTo(peer);
}

// The exception's what(), or "" when the post returned.
template <typename Exception>
std::string FailureOf(const std::string& answer) {
  try {
    Answered(answer);
  } catch (const Exception& error) {
    return error.what();
  }
  return "";
}

TEST(PostReport, SendsTheFormAsAnHttp10Post) {
  MachineInfo()["Orbi"] = "10001";
  MachineInfo()["Province"] = "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8";
  ScriptedPeer peer(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"ok\"}\n");
  EXPECT_EQ(PostTo(peer), "ok");
  const std::string body = BuildReportForm();
  EXPECT_EQ(peer.Request(), "POST http://127.0.0.1/kestrel/act/a2014checkmachine/postInfo.php HTTP/1.0\r\n"
                            "Host: 127.0.0.1\r\n"
                            "Content-Type: application/x-www-form-urlencoded\r\n"
                            "Content-Length: " + std::to_string(body.size()) + "\r\n"
                            "\r\n" + body);
}

TEST(PostReport, ReturnsTheMessageOfEveryNonNegativeCode) {
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"thanks\"}"), "thanks");
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":1,\"msg\":\"one\"}\r\nignored second line"), "one");
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":\"0\",\"msg\":\"as text\"}"), "as text");
  EXPECT_EQ(Answered("HTTP/1.1 200 OK\r\n\r\n{\"ret_code\":0,\"msg\":\"1.1\"}"), "1.1");
}

TEST(PostReport, DecodesUnicodeEscapesToCodePage936) {
  // "thanks" in Chinese as \u escapes, then as code page 936 bytes.
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"\\u611f\\u8c22\"}"), "\xB8\xD0\xD0\xBB");
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"\xB8\xD0\xD0\xBB\"}"), "\xB8\xD0\xD0\xBB");
  EXPECT_EQ(DecodeUnicodeEscapes("a\\u0041\\U0041\\u00zz\\u4E2D"), "aA\\U0041\\u00zz\xD6\xD0");
  // U+0000 converts to the bytes before the first zero byte: none.
  EXPECT_EQ(ReportOutcome(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"a\\u0000b\"}"), "ab");
  // Every byte of a code page 936 answer comes back as it was.
  std::string all_high_bytes;
  for (int byte = 0x80; byte <= 0xFF; ++byte) all_high_bytes += static_cast<char>(byte);
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"" + all_high_bytes + "\"}"), all_high_bytes);
}

// Callers tell the outcomes apart by type: a repeat is a runtime_error.
static_assert(std::is_base_of_v<std::runtime_error, ReplicatedCommit>);
static_assert(!std::is_base_of_v<std::logic_error, ReplicatedCommit>);

TEST(PostReport, NegativeCodesAreOutcomeExceptions) {
  EXPECT_EQ(FailureOf<ReplicatedCommit>(std::string(kHeaders) + "{\"ret_code\":-1,\"msg\":\"again\"}"), "again");
  EXPECT_EQ(FailureOf<std::logic_error>(std::string(kHeaders) + "{\"ret_code\":-2,\"msg\":\"refused\"}"), "refused");
  EXPECT_EQ(FailureOf<std::logic_error>(std::string(kHeaders) + "{\"ret_code\":-100,\"msg\":\"\"}"), "");
}

TEST(PostReport, RefusesAnswersThatAreNotAnHttp200) {
  EXPECT_EQ(FailureOf<std::runtime_error>("FTP/1.0 200 OK\r\n\r\n"), "Invalid response");
  EXPECT_EQ(FailureOf<std::runtime_error>("HTTP/1.0 OK 200\r\n\r\n"), "Invalid response");
  EXPECT_EQ(FailureOf<std::runtime_error>("HTTP/1.0 302 Found\r\nLocation: /elsewhere\r\n\r\n"),
            "Response returned with status code 302");
  EXPECT_EQ(FailureOf<std::runtime_error>("HTTP/1.0 404 Not Found\r\n\r\n"), "Response returned with status code 404");
  EXPECT_EQ(FailureOf<boost::system::system_error>("HTTP/1.0 200 OK").rfind("read_until", 0), 0u);
}

TEST(PostReport, AnswerLinesThatAreNotTheExpectedJsonFail) {
  using boost::property_tree::json_parser::json_parser_error;
  EXPECT_EQ(FailureOf<json_parser_error>(std::string(kHeaders) + "{\n\"ret_code\":0,\n\"msg\":\"ok\"\n}")
                .rfind("<unspecified file>(1)", 0),
            0u);  // only the first line of the body is read
  EXPECT_NE(FailureOf<json_parser_error>(kHeaders), "");                                  // no body
  EXPECT_NE(FailureOf<json_parser_error>(std::string(kHeaders) + "{\"ret_code\":0,\"ms"), "");  // cut off
  EXPECT_NE(FailureOf<boost::property_tree::ptree_bad_path>(std::string(kHeaders) + "{\"ret_code\":0}"), "");
  EXPECT_NE(FailureOf<boost::property_tree::ptree_bad_data>(std::string(kHeaders) + "{\"ret_code\":\"x\",\"msg\":\"\"}"),
            "");
}

TEST(PostReport, RefusesAnswersLargerThanOneMebibyteAfterTheStatusLine) {
  const std::string status = "HTTP/1.0 200 OK\r\n";
  const std::string answer = "\r\n{\"ret_code\":0,\"msg\":\"ok\"}\n";
  const std::string exactly = answer + std::string(kMaxAnswerBytes - answer.size(), ' ');
  EXPECT_EQ(Answered(status + exactly), "ok");
  EXPECT_EQ(FailureOf<std::runtime_error>(status + exactly + " "), kAnswerTooLarge);
  EXPECT_EQ(FailureOf<std::runtime_error>("HTTP/1.0 200 " + std::string(kMaxAnswerBytes, 'x') + "\r\n\r\n"),
            kAnswerTooLarge);
  EXPECT_EQ(FailureOf<std::runtime_error>("HTTP/1.0 200 " + std::string(kMaxAnswerBytes, 'x')), kAnswerTooLarge);
}

TEST(PostReport, RefusesAnswersNestedDeeperThanAnAnswerNeeds) {
  // Depths that overflowed the recursive JSON reader's stack (Linux) or
  // hung the exchange (Windows) end in the same clear failure.
  for (const std::size_t depth : {8000u, 70000u, 100000u}) {
    EXPECT_EQ(FailureOf<std::runtime_error>(std::string(kHeaders) + std::string(depth, '[')), kAnswerTooDeep) << depth;
  }
  const auto nested = [](int depth) {  // the object itself is the first level
    return std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"ok\",\"x\":" +
           std::string(static_cast<std::size_t>(depth - 1), '[') + std::string(static_cast<std::size_t>(depth - 1), ']') +
           "}";
  };
  EXPECT_EQ(Answered(nested(kMaxAnswerNesting)), "ok");
  EXPECT_EQ(FailureOf<std::runtime_error>(nested(kMaxAnswerNesting + 1)), kAnswerTooDeep);
  // Brackets inside a string, escaped quotes among them, are text.
  const std::string brackets = std::string(100, '[') + "{";
  EXPECT_EQ(Answered(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"\\\"" + brackets + "\"}"), "\"" + brackets);
}

ReportEndpoint Impatient(const ScriptedPeer& peer) {
  return {"127.0.0.1", peer.Port(), std::chrono::milliseconds(300)};
}

TEST(PostReport, UsesTheCompleteAnswerOfAServiceThatKeepsTheConnectionOpen) {
  const auto kept_open = [](const std::string& answer, ExchangeNotes& notes) {
    ScriptedPeer peer(answer, ScriptedPeer::Ending::kKeepOpen);
    return PostReportTo(Impatient(peer), &notes);
  };
  ExchangeNotes notes;
  EXPECT_EQ(kept_open(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"line\"}\r\n", notes), "line");
  EXPECT_TRUE(notes.answer_kept_at_deadline);
  // Without a line end, the announced length says the body is whole.
  const std::string body = "{\"ret_code\":0,\"msg\":\"length\"}";
  ExchangeNotes by_length;
  EXPECT_EQ(kept_open("HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
                      by_length),
            "length");
  EXPECT_TRUE(by_length.answer_kept_at_deadline);
  // A service that closes the connection is not noted.
  ScriptedPeer closing(std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"closed\"}\n");
  ExchangeNotes closed;
  EXPECT_EQ(PostReportTo(Impatient(closing), &closed), "closed");
  EXPECT_FALSE(closed.answer_kept_at_deadline);
}

TEST(PostReport, AnIncompleteAnswerAtTheDeadlineIsANetworkFailure) {
  const char kTimedOut[] = "read: no answer from the report service within 0.3 s";
  for (const std::string& answer :
       {std::string(kHeaders) + "{\"ret_code\":0,\"msg\":\"cut",                 // the answer line never ends
        std::string("HTTP/1.0 200 OK\r\nContent-Type: application/json\r\n"),        // nor do the headers
        std::string("HTTP/1.0 200 OK\r\nContent-Length: 40\r\n\r\n{\"ret_code\":0}")}) {  // shorter than announced
    ScriptedPeer peer(answer, ScriptedPeer::Ending::kKeepOpen);
    ExchangeNotes notes;
    try {
      PostReportTo(Impatient(peer), &notes);
      ADD_FAILURE() << "the post returned for " << answer;
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), kTimedOut);
    }
    EXPECT_FALSE(notes.answer_kept_at_deadline);
  }
}

TEST(PostReport, GivesUpOnAServiceThatNeverAnswers) {
  // The system completes the connection into the listen queue; nobody reads.
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor silent(io, {boost::asio::ip::make_address("127.0.0.1"), 0});
  const ReportEndpoint endpoint{"127.0.0.1", std::to_string(silent.local_endpoint().port()),
                                std::chrono::milliseconds(300)};
  try {
    PostReportTo(endpoint);
    ADD_FAILURE() << "the post returned";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "read_until: no answer from the report service within 0.3 s");
  }
}

// A port nothing listens on: one the system just handed out and took back.
std::string FreePort() {
  boost::asio::io_context io;
  boost::asio::ip::tcp::acceptor acceptor(
      io, boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), 0));
  return std::to_string(acceptor.local_endpoint().port());
}

std::string ConnectionFailure(const ReportEndpoint& endpoint) {
  try {
    PostReportTo(endpoint);
  } catch (const boost::system::system_error& error) {
    return error.what();
  }
  return "";
}

TEST(PostReport, ConnectionFailuresNameTheStepThatFailedInPlainWords) {
  for (const std::string& failure :
       {ConnectionFailure({"127.0.0.1", FreePort()}), ConnectionFailure({"no-such-host.invalid", "80"})}) {
    // One line a player can pass on: the step and the system's words, no
    // source file of the library.
    EXPECT_EQ(failure.find('\n'), std::string::npos) << failure;
    EXPECT_EQ(failure.find(".hpp"), std::string::npos) << failure;
    EXPECT_EQ(failure.find("[system:"), std::string::npos) << failure;
  }
  EXPECT_EQ(ConnectionFailure({"127.0.0.1", FreePort()}).rfind("connect: ", 0), 0u);
  EXPECT_EQ(ConnectionFailure({"no-such-host.invalid", "80"}).rfind("resolve: ", 0), 0u);
}

}  // namespace
