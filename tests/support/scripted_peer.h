#pragma once

#include <string>
#include <thread>

#include <boost/asio.hpp>

// A TCP server on loopback that takes one connection, reads the HTTP
// request (headers and Content-Length body), answers with a fixed script of
// bytes and closes, or keeps the connection open until the client closes
// it: the peer for answers a well-behaved server never sends.
class ScriptedPeer {
 public:
  enum class Ending { kClose, kKeepOpen };

  explicit ScriptedPeer(std::string answer, Ending ending = Ending::kClose)
      : answer_(std::move(answer)),
        ending_(ending),
        acceptor_(io_, boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), 0)),
        thread_([this] { Serve(); }) {}

  // A peer that nobody called is called once, so that it stops waiting.
  ~ScriptedPeer() {
    boost::system::error_code ignored;
    boost::asio::ip::tcp::socket wake(io_);
    wake.connect(acceptor_.local_endpoint(), ignored);
    wake.close(ignored);
    thread_.join();
  }

  std::string Port() const { return std::to_string(acceptor_.local_endpoint().port()); }

  // The request as received; complete once the client has its answer.
  const std::string& Request() const { return request_; }

 private:
  void Serve() {
    namespace asio = boost::asio;
    boost::system::error_code error;
    asio::ip::tcp::socket socket(io_);
    acceptor_.accept(socket, error);
    if (error) return;
    asio::streambuf received;
    const std::size_t header_end = asio::read_until(socket, received, "\r\n\r\n", error);
    if (!error) {
      std::string head(asio::buffers_begin(received.data()), asio::buffers_begin(received.data()) + header_end);
      const std::size_t length_at = head.find("Content-Length: ");
      const std::size_t body_length =
          length_at == std::string::npos ? 0 : std::stoul(head.substr(length_at + 16));
      if (received.size() < header_end + body_length) {
        asio::read(socket, received, asio::transfer_exactly(header_end + body_length - received.size()), error);
      }
      request_.assign(asio::buffers_begin(received.data()), asio::buffers_end(received.data()));
    }
    asio::write(socket, asio::buffer(answer_), error);
    if (ending_ == Ending::kKeepOpen) {
      char ignored[256];
      while (!error) socket.read_some(asio::buffer(ignored), error);
    }
    socket.shutdown(asio::ip::tcp::socket::shutdown_both, error);
  }

  std::string answer_;
  Ending ending_;
  std::string request_;
  boost::asio::io_context io_;
  boost::asio::ip::tcp::acceptor acceptor_;
  std::thread thread_;
};
