#include "core/conditions/condition_watch.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"

namespace quenmark {
namespace {

constexpr std::uint64_t kMinuteMs = 60'000;

int wholeMinutes(std::uint64_t ms) { return static_cast<int>(ms / kMinuteMs); }

}  // namespace

const std::optional<std::uint64_t>& MeterSample::sinceLastInput() {
  if (!sinceLastInput_) sinceLastInput_ = meters_.sinceLastInput();
  return *sinceLastInput_;
}

const std::optional<ProcessorTimes>& MeterSample::processorTimes() {
  if (!processorTimes_) processorTimes_ = meters_.processorTimes();
  return *processorTimes_;
}

const std::optional<std::uint64_t>& MeterSample::networkOctets() {
  if (!networkOctets_) networkOctets_ = meters_.networkOctets();
  return *networkOctets_;
}

const BatteryState& MeterSample::battery() {
  if (!battery_) battery_ = meters_.battery();
  return *battery_;
}

const std::vector<RunningProgram>& MeterSample::programs() {
  if (!programs_) programs_ = meters_.runningPrograms(false);
  return *programs_;
}

ConditionWatch::ConditionWatch(Condition condition) : condition_(std::move(condition)) {
  if (condition_.kind == ConditionKind::ProcessorBelow ||
      condition_.kind == ConditionKind::NetworkBelow) {
    average_.emplace(static_cast<std::uint64_t>(condition_.minutes) * kMinuteMs);
  }
  if (condition_.kind == ConditionKind::ProgramEnds) {
    // A program whose creation time could not be read is told apart by its name alone.
    if (condition_.processId != 0 && condition_.processStarted == 0) condition_.processId = 0;
    if (condition_.processId == 0) condition_.fileName = programFileName(condition_.fileName);
    status_.notStarted = condition_.processId == 0;
  }
}

bool ConditionWatch::sample(MeterSample& s) {
  switch (condition_.kind) {
    case ConditionKind::ProgramEnds:
      status_.holds = condition_.processId != 0 ? programEnded(s) : namedProgramsEnded(s);
      break;
    case ConditionKind::NoInput: {
      const std::optional<std::uint64_t>& idle = s.sinceLastInput();
      const std::uint64_t window = static_cast<std::uint64_t>(condition_.minutes) * kMinuteMs;
      status_.present = idle ? std::optional<int>(wholeMinutes(*idle)) : std::nullopt;
      status_.minutesSoFar = idle ? wholeMinutes(std::min(*idle, window)) : 0;
      status_.holds = idle && *idle >= window;
      break;
    }
    case ConditionKind::ProcessorBelow:
      if (const auto& t = s.processorTimes()) {
        // Kernel time includes the idle time.
        average_->add(s.tick(), t->kernel + t->user - t->idle, t->kernel + t->user);
      }
      measured(100.0, static_cast<std::uint64_t>(condition_.limit), 100);
      break;
    case ConditionKind::NetworkBelow:
      if (const auto& octets = s.networkOctets()) average_->add(s.tick(), *octets, s.tick());
      // Octets per millisecond, shown as KB/s; the limit is KB/s as octets per second.
      measured(1000.0 / 1024.0, static_cast<std::uint64_t>(condition_.limit) * 1024, 1000);
      break;
    case ConditionKind::BatteryBelow: {
      const BatteryState& b = s.battery();
      status_.present = b.present ? b.percent : std::nullopt;
      status_.holds = b.present && !b.onMains && b.percent && *b.percent < condition_.limit;
      break;
    }
  }
  return status_.holds;
}

void ConditionWatch::measured(double scale, std::uint64_t limit, std::uint64_t per) {
  const std::optional<double> latest = average_->latest();
  status_.present =
      latest ? std::optional<int>(static_cast<int>(std::lround(*latest * scale))) : std::nullopt;
  const std::uint64_t quiet = average_->quietMs(limit, per);
  status_.minutesSoFar = wholeMinutes(quiet);
  status_.holds = quiet >= average_->windowMs();
}

bool ConditionWatch::programEnded(MeterSample& s) {
  const std::optional<std::uint64_t> started = s.meters().processStarted(condition_.processId);
  // A time that cannot be read now is no proof that another program took the id.
  return !started || (*started != 0 && *started != condition_.processStarted);
}

bool ConditionWatch::namedProgramsEnded(MeterSample& s) {
  // The instances seen are followed by id, which is cheap; the whole list is read again only
  // when none is left, to find one started meanwhile.
  std::erase_if(instances_, [&](const auto& instance) {
    const std::optional<std::uint64_t> started = s.meters().processStarted(instance.first);
    return !started || (*started != 0 && instance.second != 0 && *started != instance.second);
  });
  if (!instances_.empty()) return false;
  for (const RunningProgram& p : s.programs()) {
    if (!equalsNoCase(p.fileName, condition_.fileName)) continue;
    instances_.emplace_back(p.id, s.meters().processStarted(p.id).value_or(0));
  }
  if (!instances_.empty()) {
    seen_ = true;
    status_.notStarted = false;
  }
  // A program that was never seen running has not ended: it is waited for.
  return instances_.empty() && seen_;
}

}  // namespace quenmark
