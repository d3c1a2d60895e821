#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "core/presentation/tray_icon.h"

namespace quenmark {
namespace {

struct Call {
  TrayOp op;
  std::uint32_t id;
  std::uint32_t flags;
  std::string tip;
  friend bool operator==(const Call&, const Call&) = default;
};

// Answers from a script (true when it runs out) and records every call.
class FakeShell : public TrayNotify {
 public:
  std::vector<Call> calls;
  std::deque<bool> answers;
  bool notify(TrayOp op, std::uint32_t id, std::uint32_t flags, const std::string& tip) override {
    calls.push_back({op, id, flags, tip});
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }
};

class RecordingTimer : public TimerSwitch {
 public:
  bool on = true;
  int ms = 5000;
  void setEnabled(bool v) override { on = v; }
  bool enabled() const override { return on; }
  void setInterval(int v) override { ms = v; }
  int interval() const override { return ms; }
};

TEST(TrayMouse, ReleasesOpenTheMenuDoubleClickShowsTheWindow) {
  const struct {
    std::uint32_t message;
    TrayMouseAction action;
  } cases[] = {
      {512, TrayMouseAction::None},     {513, TrayMouseAction::None},
      {514, TrayMouseAction::ShowMenu}, {515, TrayMouseAction::ShowWindow},
      {516, TrayMouseAction::None},     {517, TrayMouseAction::ShowMenu},
      {518, TrayMouseAction::None},     {0, TrayMouseAction::None},
      {7710, TrayMouseAction::None},  // the picture-box X value is not a mouse message
  };
  for (const auto& c : cases) EXPECT_EQ(trayMouseAction(c.message), c.action) << c.message;
}

const Call kModify{TrayOp::Modify, 9999, 4, "Quenmark"};
const Call kAdd{TrayOp::Add, 9999, 7, "Quenmark"};

TEST(TrayIconRefresh, FollowsTheModifyThenAddRule) {
  const struct {
    const char* what;
    std::deque<bool> answers;
    std::vector<Call> calls;
    int interval;
  } cases[] = {
      {"icon present: tooltip only", {true}, {kModify}, 15000},
      {"icon lost: added again", {false, true}, {kModify, kAdd}, 15000},
      {"add fails: retried sooner", {false, false}, {kModify, kAdd}, 5000},
  };
  for (const auto& c : cases) {
    FakeShell shell;
    shell.answers = c.answers;
    RecordingTimer timer;
    timer.ms = 1;
    TrayIcon icon(shell, timer, "Quenmark");
    icon.refresh();
    EXPECT_EQ(shell.calls, c.calls) << c.what;
    EXPECT_EQ(timer.ms, c.interval) << c.what;
    EXPECT_TRUE(timer.on) << c.what;
  }
}

TEST(TrayIconRefresh, RecoversAfterFailedAddOnTheNextTick) {
  FakeShell shell;
  shell.answers = {false, false, false, true};
  RecordingTimer timer;
  TrayIcon icon(shell, timer, "Quenmark");
  icon.refresh();
  EXPECT_EQ(timer.ms, 5000);
  icon.refresh();
  EXPECT_EQ(timer.ms, 15000);
  EXPECT_EQ(shell.calls, (std::vector<Call>{kModify, kAdd, kModify, kAdd}));
}

TEST(TrayIconRemove, DeletesTheIconById) {
  FakeShell shell;
  RecordingTimer timer;
  TrayIcon icon(shell, timer, "Quenmark");
  icon.refresh();
  icon.remove();
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[1].op, TrayOp::Delete);
  EXPECT_EQ(shell.calls[1].id, 9999u);
  EXPECT_FALSE(icon.wanted());
}

TEST(TrayIconTaskbarCreated, ReAddsOnlyAWantedIcon) {
  FakeShell shell;
  RecordingTimer timer;
  TrayIcon icon(shell, timer, "Quenmark");
  icon.onTaskbarCreated();
  EXPECT_TRUE(shell.calls.empty()) << "not installed yet: nothing to bring back";

  icon.refresh();
  shell.calls.clear();
  shell.answers = {false, true};  // the new notification area lacks the icon
  icon.onTaskbarCreated();
  EXPECT_EQ(shell.calls, (std::vector<Call>{kModify, kAdd}));

  icon.remove();
  shell.calls.clear();
  icon.onTaskbarCreated();
  EXPECT_TRUE(shell.calls.empty()) << "removed at unload: stays away";
}

}  // namespace
}  // namespace quenmark
