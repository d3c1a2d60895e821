#pragma once

#include <chrono>

#include "platform/clock.h"
#include "platform/regional.h"

namespace quenmark::testing {

// A clock that stands still until a test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(std::chrono::local_seconds t = {}) : now_(t) {}
  std::chrono::local_seconds now() const override { return now_; }
  void set(std::chrono::local_seconds t) { now_ = t; }
  void advance(std::chrono::seconds d) { now_ += d; }

 private:
  std::chrono::local_seconds now_;
};

// Builds a local time from calendar fields: at(2025, 12, 1, 22, 30) is 12/1/2025 22:30:00.
inline std::chrono::local_seconds at(int y, unsigned m, unsigned d, int h = 0, int min = 0,
                                     int s = 0) {
  using namespace std::chrono;
  return local_days{year{y} / month{m} / day{d}} + hours{h} + minutes{min} + seconds{s};
}

// Regional pictures pinned by the test.
class FakeRegional : public Regional {
 public:
  explicit FakeRegional(RegionalFormats f = {}) : formats_(std::move(f)) {}
  RegionalFormats formats() const override { return formats_; }
  void set(RegionalFormats f) { formats_ = std::move(f); }

 private:
  RegionalFormats formats_;
};

}  // namespace quenmark::testing
