#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quenmark::testing {

// An HTTP server on 127.0.0.1, on a free port and a thread of its own: each connection gets
// `response` (status line, headers, body) and is closed. Every wait is bounded, so a client
// that stalls cannot hang a test; the server stops when it goes.
class TestHttpServer {
 public:
  explicit TestHttpServer(std::string response);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  std::string host() const;  // "127.0.0.1:port"
  // The head of each request so far: the request line and the header lines.
  std::vector<std::string> requests() const;

  // Status line, Content-Length, "Connection: close", the body.
  static std::string response(int status, const std::string& body);
  // "127.0.0.1:port" of a port where nothing listens.
  static std::string refusingHost();

 private:
  void serve();
  void answer(std::uintptr_t connection);

  std::string response_;
  std::uintptr_t listener_ = 0;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace quenmark::testing
