#include "core/schedule/schedule_service.h"

#include <stdexcept>
#include <utility>

namespace quenmark {

ScheduleService::ScheduleService(ScheduleServiceDeps deps) : d_(std::move(deps)) {
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
  });
}

void ScheduleService::stop() {
  // The wake timer goes with the engine: it must not wake the computer for nobody.
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
  loadScheduleList(list_, d_.fs, d_.codec, d_.programFolder, d_.clock.now(),
                   d_.regional.formats());
}

void ScheduleService::saved(const ScheduleRecord& record) {
  std::optional<LocalMinute> at;
  ScheduleEntry e = entryOf(record, d_.clock.now(), d_.regional.formats(), &at);
  list_.put(std::move(e), at);
}

bool ScheduleService::quickSchedule(const std::string& delayText, const std::string& actionName) {
  return engine_ && engine_->quickSchedule(delayText, actionName);
}

std::optional<std::size_t> ScheduleService::quickScheduleAt(PowerAction action,
                                                            std::chrono::local_seconds when) {
  if (!engine_) return std::nullopt;
  return engine_->addQuickEntry(std::string(powerActionName(action)), when);
}

void ScheduleService::actNow(PowerAction action) {
  power().ShutDown(powerActionCode(action), true);
}

std::size_t ScheduleService::cancelQuickEntries() {
  const std::size_t gone = list_.removeIf([](const ScheduleEntry& e) { return e.quick; });
  // A warned run of an entry that went must not go ahead when its countdown runs out.
  if (const ActionCountdown* c = countdown(); c && !list_.indexOf(c->id)) {
    answerCountdown(CountdownAnswer::Cancel);
  }
  return gone;
}

void ScheduleService::deleted(const std::string& name) {
  list_.removeIf([&](const ScheduleEntry& e) { return !e.quick && e.text == name; });
}

void ScheduleService::setPaused(bool on) {
  const bool changed = paused_ != on;
  paused_ = on;
  if (engine_) engine_->updateWakeTimer();
  if (changed && onPausedChange_) onPausedChange_(on);
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
