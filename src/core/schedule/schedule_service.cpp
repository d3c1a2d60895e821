#include "core/schedule/schedule_service.h"

#include <stdexcept>
#include <utility>

#include "base/file_exists.h"
#include "core/schedule/schedule_file.h"

namespace quenmark {

namespace {

// Windows' numbers for a file or folder that is not there: a delete has nothing to do.
constexpr std::int64_t kErrorFileNotFound = 2;
constexpr std::int64_t kErrorPathNotFound = 3;

}  // namespace

ScheduleService::ScheduleService(ScheduleServiceDeps deps)
    : d_(std::move(deps)), conditions_(d_.meters, d_.message), events_(d_.eventLog) {
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
  pausedByPolicy_ = d_.options.policy().schedulesPaused();
  if (pausedByPolicy_) paused_ = *pausedByPolicy_;
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
      .shutDown = [this](PowerAction a,
                         bool force) { return power().ShutDown(powerActionCode(a), force); },
      .chkWake = [this] { return chkWake_; },
      .wake = wake_.get(),
      .chkWarn = [this] { return chkWarn_; },
      .showCountdown =
          [this] {
            if (showCountdown_) showCountdown_();
          },
      .events = &events_,
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
  if (announced_) events_.ended();
  announced_ = false;
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
  if (engine_ && !announced_) {
    announced_ = true;
    events_.started(list_.count());
  }
}

void ScheduleService::saved(const ScheduleRecord& record, ChangeSource source) {
  std::optional<LocalMinute> at;
  ScheduleEntry e = entryOf(record, d_.clock.now(), d_.regional.formats(), &at);
  const bool added = list_.findSchedule(e.text) == 0;
  list_.put(std::move(e), at);
  events_.saved(added, record.Name, record.ItemType,
                at ? std::optional<std::chrono::local_seconds>(*at) : std::nullopt, source);
}

Status ScheduleService::deleteSchedule(const std::string& name, ChangeSource source) {
  const std::string path = scheduleFilePath(d_.programFolder, name);
  if (FileExists(d_.fs, path)) {
    // A file that vanished meanwhile is skipped; one that stays (read-only, locked, no
    // access) must not look deleted.
    const Status failed = d_.fs.deleteFile(path);
    if (failed && failed->number != kErrorFileNotFound && failed->number != kErrorPathNotFound) {
      return failed;
    }
  }
  events_.deleted(name, source);
  return std::nullopt;
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
  if (engine_) engine_->actAtOnce(std::string(powerActionName(action)));
}

void ScheduleService::cancelQuickEntries() {
  list_.removeIf([](const ScheduleEntry& e) { return e.quick; });
  // A warned run of an entry that went must not go ahead when its countdown runs out.
  if (const ActionCountdown* c = countdown(); c && !list_.indexOf(c->id)) {
    answerCountdown(CountdownAnswer::Cancel);
  }
}

void ScheduleService::deleted(const std::string& name) {
  list_.removeIf([&](const ScheduleEntry& e) { return !e.quick && e.text == name; });
}

void ScheduleService::whenCondition(const Condition& condition, const std::string& actionName) {
  if (engine_) engine_->whenCondition(condition, actionName);
}

void ScheduleService::setPaused(bool on) {
  if (pausedByPolicy_) return;
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
