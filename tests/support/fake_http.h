#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/http.h"

namespace quenmark::testing {

// A server in memory: every request gets `body`, handed out as a socket would, never more
// than asked for. Records each call, and each handle's closing, in `calls`; can be told to
// give no root or request handle, to fail one read, or to fail the n-th call of any kind. It
// must outlive its handles.
class FakeHttp : public Http {
 public:
  std::string body;
  bool refuseOpen = false;
  bool refuseUrl = false;
  int failRead = -1;  // the read, counted from 0, that fails
  int failCall = 0;   // the call of any kind (open, openUrl, read), counted from 1, that fails
  std::vector<std::string> calls;
  int reads = 0;
  int made = 0;  // calls of any kind so far

  InternetHandlePtr open(const std::string& agent, std::uint32_t accessType,
                         std::uint32_t flags) override {
    calls.push_back("open " + agent + " " + hex(accessType) + " " + hex(flags));
    const bool fail = ++made == failCall;
    return refuseOpen || fail ? nullptr : std::make_unique<Handle>(*this, "root");
  }
  InternetHandlePtr openUrl(InternetHandle&, const std::string& url, std::uint32_t flags) override {
    calls.push_back("openUrl " + url + " " + hex(flags));
    sent_ = 0;
    const bool fail = ++made == failCall;
    return refuseUrl || fail ? nullptr : std::make_unique<Handle>(*this, "request");
  }
  bool readFile(InternetHandle&, char* buffer, std::uint32_t size, std::uint32_t& read) override {
    const bool fail = ++made == failCall;
    if (reads++ == failRead || fail) {
      calls.push_back("read fails");
      return false;
    }
    read = static_cast<std::uint32_t>(std::min<std::size_t>(size, body.size() - sent_));
    std::memcpy(buffer, body.data() + sent_, read);
    sent_ += read;
    calls.push_back("read " + std::to_string(size) + ": " + std::to_string(read));
    return true;
  }

 private:
  struct Handle : InternetHandle {
    Handle(FakeHttp& http, std::string name) : http_(http), name_(std::move(name)) {}
    ~Handle() override { http_.calls.push_back("close " + name_); }
    FakeHttp& http_;
    std::string name_;
  };
  static std::string hex(std::uint32_t v) {
    char s[16];
    std::snprintf(s, sizeof s, "%X", v);
    return s;
  }
  std::size_t sent_ = 0;
};

}  // namespace quenmark::testing
