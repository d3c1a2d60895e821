#include "core/conditions/average_window.h"

#include <algorithm>

namespace quenmark {

void AverageWindow::add(std::uint64_t tick, std::uint64_t amount, std::uint64_t base) {
  if (!readings_.empty()) {
    const Reading& last = readings_.back();
    if (tick < last.tick || tick - last.tick > kMaxGapMs || amount < last.amount ||
        base < last.base) {
      readings_.clear();
    }
  }
  // The newest reading always counts; those before it stay at least this far apart.
  const std::uint64_t spacing = windowMs_ / kMaxReadings;
  if (readings_.size() >= 2 && tick - readings_[readings_.size() - 2].tick < spacing) {
    readings_.pop_back();
  }
  readings_.push_back({tick, amount, base});
  // One reading at or beyond the window's start is all the oldest spans need.
  while (readings_.size() > 2 && tick - readings_[1].tick >= windowMs_) readings_.pop_front();
}

std::optional<double> AverageWindow::latest() const {
  if (readings_.size() < 2) return std::nullopt;
  const Reading& a = readings_[readings_.size() - 2];
  const Reading& b = readings_.back();
  if (b.base == a.base) return std::nullopt;
  return static_cast<double>(b.amount - a.amount) / static_cast<double>(b.base - a.base);
}

std::uint64_t AverageWindow::quietMs(std::uint64_t limit, std::uint64_t per) const {
  if (readings_.size() < 2) return 0;
  const Reading& now = readings_.back();
  std::uint64_t quiet = 0;
  for (std::size_t i = 0; i + 1 < readings_.size(); ++i) {
    const Reading& from = readings_[i];
    if (now.base == from.base) continue;
    // amount / base < limit / per, without a division.
    if ((now.amount - from.amount) * per < limit * (now.base - from.base)) {
      quiet = std::max(quiet, now.tick - from.tick);
    }
  }
  return std::min(quiet, windowMs_);
}

}  // namespace quenmark
