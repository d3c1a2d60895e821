#include "support/http_server_win32.h"

#include <winsock2.h>

#include <algorithm>
#include <stdexcept>

namespace quenmark::testing {
namespace {

constexpr DWORD kIoTimeoutMs = 5000;

SOCKET sock(std::uintptr_t s) { return static_cast<SOCKET>(s); }

// A socket bound to 127.0.0.1 on a port the system chooses, and that port (0 on failure).
std::pair<SOCKET, int> loopbackSocket() {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof a;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
    return {s, 0};
  }
  return {s, ntohs(a.sin_port)};
}

}  // namespace

TestHttpServer::TestHttpServer(std::string response) : response_(std::move(response)) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
  auto [s, port] = loopbackSocket();
  listener_ = static_cast<std::uintptr_t>(s);
  port_ = port;
  if (port_ == 0 || listen(s, 4) != 0) {
    closesocket(s);
    WSACleanup();
    throw std::runtime_error("cannot listen on 127.0.0.1");
  }
  thread_ = std::thread([this] { serve(); });
}

TestHttpServer::~TestHttpServer() {
  stop_ = true;
  thread_.join();
  closesocket(sock(listener_));
  WSACleanup();
}

std::string TestHttpServer::host() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> TestHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string TestHttpServer::response(int status, const std::string& body) {
  return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Not Found") +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
         body;
}

std::string TestHttpServer::refusingHost() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  auto [s, port] = loopbackSocket();  // given out, closed again: nobody listens there
  closesocket(s);
  WSACleanup();
  return "127.0.0.1:" + std::to_string(port);
}

void TestHttpServer::serve() {
  while (!stop_) {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(sock(listener_), &ready);
    timeval wait{0, 50000};
    if (select(0, &ready, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET connection = accept(sock(listener_), nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    answer(static_cast<std::uintptr_t>(connection));
    closesocket(connection);
  }
}

void TestHttpServer::answer(std::uintptr_t connection) {
  SOCKET c = sock(connection);
  const DWORD timeout = kIoTimeoutMs;
  for (int option : {SO_RCVTIMEO, SO_SNDTIMEO}) {
    setsockopt(c, SOL_SOCKET, option, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  }
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    const int got = recv(c, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    head.append(buffer, static_cast<std::size_t>(got));
  }
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(head.substr(0, head.find("\r\n\r\n")));
  }
  // A client that stops reading (a body over its bound) ends the sending.
  for (std::size_t sent = 0; sent < response_.size() && !stop_;) {
    const int n = send(c, response_.data() + sent,
                       static_cast<int>(std::min<std::size_t>(response_.size() - sent, 65536)), 0);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
  shutdown(c, SD_SEND);
}

}  // namespace quenmark::testing
