#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace quenmark {

// Readings of two growing counters (an amount and the base it is measured against: busy and
// total processor time, or octets and milliseconds) over a moving window of time. It answers
// with averages over spans that end at the newest reading, so that a short burst within a
// quiet window does not count as much as a busy window.
class AverageWindow {
 public:
  // Readings further apart than this (the computer slept, the program hung) start afresh:
  // what happened in between was not measured.
  static constexpr std::uint64_t kMaxGapMs = 10'000;
  // At most about this many readings are kept, however long the window.
  static constexpr std::uint64_t kMaxReadings = 600;

  explicit AverageWindow(std::uint64_t windowMs) : windowMs_(windowMs) {}

  // A reading at `tick` (ms). Counters that went back (a network adapter came and went)
  // start afresh too.
  void add(std::uint64_t tick, std::uint64_t amount, std::uint64_t base);

  // Amount per base over the last step; none before two readings.
  std::optional<double> latest() const;
  // The longest span back from the newest reading, at most the window, over which the
  // average stays below `limit` amount per `per` base; 0 when none does. Compared in whole
  // numbers, so that a value right at the limit is never below it on one processor and not
  // on another.
  std::uint64_t quietMs(std::uint64_t limit, std::uint64_t per) const;
  // The average stays below the limit over the whole window (a span of at least the window).
  bool below(std::uint64_t limit, std::uint64_t per) const {
    return quietMs(limit, per) >= windowMs_;
  }

  std::uint64_t windowMs() const { return windowMs_; }
  // How many readings are kept.
  std::size_t size() const { return readings_.size(); }

 private:
  struct Reading {
    std::uint64_t tick;
    std::uint64_t amount;
    std::uint64_t base;
  };
  std::uint64_t windowMs_;
  std::deque<Reading> readings_;
};

}  // namespace quenmark
