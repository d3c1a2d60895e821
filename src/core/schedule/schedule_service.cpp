#include "core/schedule/schedule_service.h"

#include <stdexcept>
#include <utility>

namespace quenmark {

ScheduleService::ScheduleService(ScheduleServiceDeps deps)
    : d_(std::move(deps)), conditions_(d_.meters, d_.message) {
  conditions_.setOnWaitingChanged([this](bool any) {
    if (parts_) power().KeepAwake(any);
  });
  // The options window's change, stored or (where storing was refused) for this run only.
  d_.options.listen([this](Setting s, const std::string& value) {
    if (s != Setting::chkWake && s != Setting::chkWarn) return;
    (s == Setting::chkWake ? chkWake_ : chkWarn_) = value == "1";
    if (engine_) engine_->updateWakeTimer();
  });
}

ScheduleService::~ScheduleService() { stop(); }

void ScheduleService::start(EngineParts parts) {
  stop();
  parts_ = std::make_unique<EngineParts>(parts);
  chkWake_ = d_.options.ticked(Setting::chkWake);
  chkWarn_ = d_.options.ticked(Setting::chkWarn);
  wake_ = std::make_unique<WakeTimer>(d_.power);
  engine_ = std::make_unique<Scheduler>(SchedulerDeps{
      .list = list_,
      .tmrScheduler = parts.tmrScheduler,
      .tmrProcessSchedule = parts.tmrProcessSchedule,
      .timSchedule = parts.timSchedule,
      .clock = d_.clock,
      .regional = d_.regional,
      .dialogs = d_.dialogs,
      .message = d_.message,
      .chkPrevent = [this] { return paused_; },
      .shutDown = [this](PowerAction a, bool force) { power().ShutDown(powerActionCode(a), force); },
      .chkWake = [this] { return chkWake_; },
      .wake = wake_.get(),
      .chkWarn = [this] { return chkWarn_; },
      .showCountdown =
          [this] {
            if (showCountdown_) showCountdown_();
          },
      .conditions = &conditions_,
  });
}

void ScheduleService::stop() {
  // The wake timer goes with the engine: it must not wake the computer for nobody; nor may
  // entries nobody watches keep it awake.
  conditions_.clear();
  engine_.reset();
  wake_.reset();
  power_.reset();
  parts_.reset();
}

std::vector<std::string> ScheduleService::names() const {
  std::vector<std::string> out;
  out.reserve(list_.count());
  for (std::size_t i = 0; i < list_.count(); ++i) out.push_back(list_.at(i).text);
  return out;
}

void ScheduleService::reload() {
  conditions_.clear();
  loadScheduleList(list_, d_.fs, d_.codec, d_.programFolder, d_.clock.now(),
                   d_.regional.formats());
}

void ScheduleService::saved(const ScheduleRecord& record) {
  std::optional<LocalMinute> at;
  ScheduleEntry e = entryOf(record, d_.clock.now(), d_.regional.formats(), &at);
  list_.put(std::move(e), at);
}

void ScheduleService::quickSchedule(const std::string& delayText, const std::string& actionName) {
  if (engine_) engine_->quickSchedule(delayText, actionName);
}

void ScheduleService::whenCondition(const Condition& condition, const std::string& actionName) {
  if (engine_) engine_->whenCondition(condition, actionName);
}

void ScheduleService::setPaused(bool on) {
  paused_ = on;
  if (engine_) engine_->updateWakeTimer();
}

CPower& ScheduleService::power() {
  if (!power_) {
    if (!parts_) throw std::logic_error("CPower needs the main window, which is not loaded");
    power_ = std::make_unique<CPower>(d_.power, parts_->window);
    power_->Initialize(parts_->handle);
  }
  return *power_;
}

void ScheduleService::answerCountdown(CountdownAnswer answer) {
  if (engine_) engine_->answerCountdown(answer);
}

}  // namespace quenmark
