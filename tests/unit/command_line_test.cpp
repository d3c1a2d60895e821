#include <gtest/gtest.h>

#include "core/cli/message.h"
#include "core/cli/request.h"
#include "core/cli/run_request.h"
#include "core/i18n/default_messages.h"
#include "core/schedule/schedule_file.h"
#include "support/schedule_service_fixture.h"

namespace quenmark::cli {
namespace {

using Args = std::vector<std::string>;
using testing::at;

// ---- the parser ---------------------------------------------------------------------------

// Accepted: the arguments it writes back. Refused: the argument it names.
struct ParseCase {
  Args args;
  ExitCode code;
  Args expected;
};

TEST(ParseArguments, ReadsGoodLinesAndNamesTheFaultOfBadOnes) {
  const ParseCase cases[] = {
      {{"/s", "/t", "3600"}, ExitCode::Done, {"/s", "/t", "3600"}},
      {{"-R", "-T", "0060"}, ExitCode::Done, {"/r", "/t", "60"}},
      {{"/SB", "/at", "7:05"}, ExitCode::Done, {"/sb", "/at", "07:05"}},
      {{"/h", "/t", "0", "/f"}, ExitCode::Done, {"/h", "/t", "0", "/f"}},
      {{"/f", "/l", "/t", "315360000"}, ExitCode::Done, {"/l", "/t", "315360000", "/f"}},
      {{"/a"}, ExitCode::Done, {"/a"}},
      {{"/csv", "/LIST"}, ExitCode::Done, {"/list", "/csv"}},
      {{"/add", "C:\\in\\night.sch"}, ExitCode::Done, {"/add", "C:\\in\\night.sch"}},
      {{"/delete", "-odd /name"}, ExitCode::Done, {"/delete", "-odd /name"}},
      {{"/Enable", "B\u00fcro"}, ExitCode::Done, {"/enable", "B\u00fcro"}},
      {{"/disable", ""}, ExitCode::Done, {"/disable", ""}},
      {{"/pause"}, ExitCode::Done, {"/pause"}},
      {{"-Resume"}, ExitCode::Done, {"/resume"}},
      {{"/tray"}, ExitCode::Done, {"/tray"}},
      {{"-HELP"}, ExitCode::Done, {"/?"}},
      {{}, ExitCode::BadArguments, {""}},
      {{"/x"}, ExitCode::BadArguments, {"/x"}},
      {{"s"}, ExitCode::BadArguments, {"s"}},
      {{"/"}, ExitCode::BadArguments, {"/"}},
      {{"/s"}, ExitCode::BadArguments, {"/s"}},
      {{"/s", "/t", "60", "/at", "10:00"}, ExitCode::BadArguments, {"/s"}},
      {{"/s", "/t"}, ExitCode::BadArguments, {"/t"}},
      {{"/s", "/t", "-5"}, ExitCode::BadArguments, {"-5"}},
      {{"/s", "/t", "315360001"}, ExitCode::BadArguments, {"315360001"}},
      {{"/s", "/t", "1e3"}, ExitCode::BadArguments, {"1e3"}},
      {{"/s", "/at", "24:00"}, ExitCode::BadArguments, {"24:00"}},
      {{"/s", "/at", "7:5"}, ExitCode::BadArguments, {"7:5"}},
      {{"/s", "/r", "/t", "5"}, ExitCode::BadArguments, {"/r"}},
      {{"/s", "/t", "5", "/t", "6"}, ExitCode::BadArguments, {"/t"}},
      {{"/list", "/f"}, ExitCode::BadArguments, {"/f"}},
      {{"/a", "/csv"}, ExitCode::BadArguments, {"/csv"}},
      {{"/t", "5"}, ExitCode::BadArguments, {"/t"}},
      {{"/delete"}, ExitCode::BadArguments, {"/delete"}},
      {{"/add", "a.sch", "b.sch"}, ExitCode::BadArguments, {"b.sch"}},
      {{"/pause", "/resume"}, ExitCode::BadArguments, {"/resume"}},
  };
  for (const ParseCase& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += "[" + a + "]";
    const Parsed p = parseArguments(c.args);
    if (c.code != ExitCode::Done) {
      EXPECT_FALSE(p.request) << line;
      EXPECT_EQ(Args{p.notUnderstood}, c.expected) << line;
      continue;
    }
    ASSERT_TRUE(p.request) << line << " refused at " << p.notUnderstood;
    EXPECT_EQ(argumentsOf(*p.request), c.expected) << line;
    // The form written back, and the message made of it, read back to the same request.
    EXPECT_EQ(parseArguments(c.expected).request, p.request) << line;
    EXPECT_EQ(decodeRequest(encodeRequest(*p.request)), p.request) << line;
  }
}

TEST(Messages, AnotherVersionOrATornMessageIsNotRead) {
  const Request r = *parseArguments({"/delete", "night"}).request;
  std::string message = encodeRequest(r);
  EXPECT_EQ(message, "Quenmark request 1\n7:/delete5:night");
  EXPECT_EQ(decodeRequest("Quenmark request 2\n7:/delete5:night"), std::nullopt);
  EXPECT_EQ(decodeRequest("Quenmark request 1\n7:/delete6:night"), std::nullopt);
  EXPECT_EQ(decodeRequest("Quenmark request 1\n4:/bad"), std::nullopt);
  const Reply reply{ExitCode::NameTaken, "Taken\r\n"};
  EXPECT_EQ(decodeReply(encodeReply(reply)), reply);
  EXPECT_EQ(decodeReply("Quenmark reply 1\n1:91:x"), std::nullopt) << "no such exit code";
  EXPECT_EQ(decodeReply(encodeReply(reply) + "1"), std::nullopt);
  EXPECT_EQ(decodeReply("Quenmark reply 1\n1:309:Taken jee"), std::nullopt)
      << "one way to write a length";
}

// ---- requests carried out -----------------------------------------------------------------

ScheduleRecord daily(std::string name) {
  ScheduleRecord r;
  r.Name = std::move(name);
  r.ItemType = "Reboot";
  r.Enabled = true;
  r.StartDate = "3/1/2025";
  r.StartTime = "08:00:00";
  r.Repeat = true;
  return r;
}

// The schedule service as the running program holds it, its files on a fake disk.
class RunRequestTest : public testing::ScheduleServiceFixture {
 protected:
  RunRequestTest()
      : ScheduleServiceFixture(at(2025, 3, 5, 7, 30, 15), [this](const std::string& key) {
          return messages.getMessages(key);
        }) {
    identity.ProgramName = "Quenmark";
    identity.CompanyName = "Tarvossa";
    EXPECT_FALSE(SaveScheduleFile(fs, codec, kFolder, daily("Daily")));
    start();
    service.reload();
    SetDefaultMessages(messages);
  }
  Reply run(const Args& args) {
    const Parsed p = parseArguments(args);
    EXPECT_TRUE(p.request) << p.notUnderstood;
    return runRequest(*p.request, commands, message);
  }
  std::string text(const std::string& key) { return message(key) + "\r\n"; }
  const ScheduleList& list() const { return service.list(); }

  static inline const std::string kData = std::string(kFolder) + "\\data\\";
  std::string CurrentLanguage = "English";
  clsLanguages messages{fs, codec, kFolder, identity, CurrentLanguage};
  ScheduleCommands commands{service, options.policy(), fs, codec, clock, kFolder};
};

TEST_F(RunRequestTest, ListsWhatTheListHoldsTabSeparatedOrAsCsv) {
  ScheduleRecord odd;
  odd.Name = "Later, maybe";
  odd.ItemType = "Say \"bye\"";
  EXPECT_FALSE(SaveScheduleFile(fs, codec, kFolder, odd));
  service.reload();
  EXPECT_EQ(run({"/list"}), (Reply{ExitCode::Done,
                                   "Name\tAction\tNext run\tEnabled\r\n"
                                   "Daily\tReboot\t3/5/2025 08:00:00\tYes\r\n"
                                   "Later, maybe\tSay \"bye\"\t\tNo\r\n"}));
  EXPECT_EQ(run({"/list", "/csv"}).text,
            "Name,Action,Next run,Enabled\r\n"
            "Daily,Reboot,3/5/2025 08:00:00,Yes\r\n"
            "\"Later, maybe\",\"Say \"\"bye\"\"\",,No\r\n");
}

TEST_F(RunRequestTest, QuickEntriesAreAddedAndCancelledAsTheQuickTimerMakesThem) {
  const Reply added = run({"/s", "/t", "3600"});
  EXPECT_EQ(added.code, ExitCode::Done);
  ASSERT_EQ(list().count(), 2u);
  EXPECT_EQ(list().at(1).text, "Quick Schedule 3/5/2025 7:30:15 AM");
  EXPECT_EQ(list().at(1).nextRunTime, "3/5/2025 08:30:15");
  EXPECT_EQ(added.text,
            "Name\tAction\tNext run\tEnabled\r\n"
            "Quick Schedule 3/5/2025 7:30:15 AM\tShut Down\t3/5/2025 08:30:15\tYes\r\n");
  // A time of day not yet begun is today's; the minute that runs now is tomorrow's.
  run({"/r", "/at", "7:31"});
  run({"/r", "/at", "07:30"});
  EXPECT_EQ(list().at(2).nextRunTime, "3/5/2025 07:31:00");
  EXPECT_EQ(list().at(3).nextRunTime, "3/6/2025 07:30:00");

  EXPECT_EQ(run({"/a"}), (Reply{ExitCode::Done, text("MSG_CLI_EXIT0")}));
  ASSERT_EQ(list().count(), 1u) << "the schedule file's entry stays";
  EXPECT_EQ(list().at(0).text, "Daily");
  clock.set(at(2025, 3, 5, 8, 30, 20));
  service.engine()->tmrScheduler_Timer();
  EXPECT_EQ(shutdowns(), 0);
}

TEST_F(RunRequestTest, AnActionAtOnceAsksFirstUnlessForced) {
  dialogs.answer(MsgResult::Cancel);
  EXPECT_EQ(run({"/s", "/t", "0"}), (Reply{ExitCode::Cancelled, text("MSG_CLI_EXIT7")}));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, message("MSG_SURE"));
  EXPECT_EQ(shutdowns(), 0);
  EXPECT_EQ(run({"/s", "/t", "0"}).code, ExitCode::Done);
  EXPECT_EQ(shutdowns(), 1);
  EXPECT_EQ(run({"/s", "/t", "0", "/f"}).code, ExitCode::Done);
  EXPECT_EQ(dialogs.shown.size(), 2u) << "/f asks nothing";
  EXPECT_EQ(shutdowns(), 2);
  EXPECT_EQ(list().count(), 1u) << "an action at once makes no entry";
}

TEST_F(RunRequestTest, AddImportsUnderTheWizardsNameRules) {
  const std::string good = scheduleFileText(daily("ignored"));
  fs.addDirectory("C:\\in");
  fs.addFile("C:\\in\\Night.SCH", good);
  fs.addFile("C:\\in\\daily.sch", good);
  fs.addFile("C:\\in\\notes.txt", good);
  fs.addFile("C:\\in\\junk.sch", "ItemType=Reboot\r\n");
  fs.addFile("C:\\in\\con.sch", good);

  const Reply added = run({"/add", "C:\\in\\Night.SCH"});
  EXPECT_EQ(added.code, ExitCode::Done);
  EXPECT_EQ(fs.contents(kData + "Night.sch"), good);
  ASSERT_EQ(list().count(), 2u);
  EXPECT_EQ(added.text,
            "Name\tAction\tNext run\tEnabled\r\nNight\tReboot\t3/5/2025 08:00:00\tYes\r\n");

  EXPECT_EQ(run({"/add", "C:\\in\\daily.sch"}), (Reply{ExitCode::NameTaken, text("MSG_NEWNAME")}));
  EXPECT_EQ(run({"/add", "C:\\in\\notes.txt"}).code, ExitCode::NotAccepted);
  EXPECT_EQ(run({"/add", "C:\\in\\junk.sch"}).code, ExitCode::NotAccepted);
  EXPECT_EQ(run({"/add", "C:\\in\\con.sch"}).code, ExitCode::NotAccepted);
  EXPECT_EQ(run({"/add", "C:\\in\\missing.sch"}).code, ExitCode::SystemRefused);
  fs.failNext("replaceFile", {5, "Access is denied."});
  fs.addFile("C:\\in\\locked.sch", good);
  EXPECT_EQ(run({"/add", "C:\\in\\locked.sch"}),
            (Reply{ExitCode::SystemRefused, "Error 5 - Access is denied.\r\n"}));
  EXPECT_EQ(list().count(), 2u) << "nothing refused is listed";
}

TEST_F(RunRequestTest, DeleteTakesTheFileAndItsEntryAndLeavesQuickEntries) {
  run({"/s", "/t", "60"});
  EXPECT_EQ(run({"/delete", "DAILY"}).code, ExitCode::Done);
  EXPECT_FALSE(fs.exists(kData + "Daily.sch"));
  ASSERT_EQ(list().count(), 1u);
  EXPECT_EQ(list().at(0).type, "Shut Down");
  EXPECT_EQ(run({"/delete", "Daily"}),
            (Reply{ExitCode::NoSuchSchedule, message("MSG_CLI_EXIT2") + ": Daily\r\n"}));
  EXPECT_EQ(run({"/delete", "*"}).code, ExitCode::NoSuchSchedule) << "no pattern";
}

TEST_F(RunRequestTest, DisableKeepsTheStartThatEnableGivesBack) {
  const std::string before = fs.contents(kData + "Daily.sch");
  EXPECT_EQ(run({"/disable", "daily"}).code, ExitCode::Done);
  EXPECT_EQ(run({"/disable", "daily"}).code, ExitCode::Done) << "twice keeps the start";
  EXPECT_EQ(list().at(0).enabled, "No");
  EXPECT_EQ(list().at(0).nextRunTime, "");
  ScheduleRecord off = readScheduleText("Daily", fs.contents(kData + "Daily.sch"));
  EXPECT_EQ(off.StartDate, "") << "switched off as the wizard switches a start off";
  clock.set(at(2025, 3, 5, 8, 0, 5));
  service.engine()->tmrScheduler_Timer();
  EXPECT_TRUE(service.engine()->lstSchedule().empty()) << "a schedule switched off never fires";

  EXPECT_EQ(run({"/enable", "Daily"}).text,
            "Name\tAction\tNext run\tEnabled\r\nDaily\tReboot\t3/6/2025 08:00:00\tYes\r\n");
  EXPECT_EQ(fs.contents(kData + "Daily.sch"), before);

  // Switched off in the wizard: no start was kept, so there is none to give back.
  ScheduleRecord wizardOff = daily("Off");
  wizardOff.Enabled = false;
  wizardOff.StartDate = wizardOff.StartTime = "";
  wizardOff.Repeat = false;
  EXPECT_FALSE(SaveScheduleFile(fs, codec, kFolder, wizardOff));
  EXPECT_EQ(run({"/enable", "Off"}).code, ExitCode::NotAccepted);
  EXPECT_EQ(run({"/enable", "Gone"}).code, ExitCode::NoSuchSchedule);
}

TEST_F(RunRequestTest, PauseIsTheSwitchTheWindowShowsAndNeedsTheEngine) {
  std::vector<bool> told;
  service.setOnPausedChange([&](bool on) { told.push_back(on); });
  EXPECT_EQ(run({"/pause"}).code, ExitCode::Done);
  EXPECT_TRUE(service.paused());
  run({"/pause"});
  EXPECT_EQ(run({"/resume"}).code, ExitCode::Done);
  EXPECT_EQ(told, (std::vector<bool>{true, false})) << "told each change once";

  service.stop();
  EXPECT_EQ(run({"/pause"}), (Reply{ExitCode::NotRunning, text("MSG_CLI_EXIT6")}));
  EXPECT_EQ(run({"/s", "/t", "60"}).code, ExitCode::NotRunning);
  EXPECT_EQ(run({"/list"}).code, ExitCode::Done) << "the files need no engine";
}

// Schedules locked by an administrator's policy: the command line changes no file either.
TEST_F(RunRequestTest, ALockedComputerRefusesEveryChangeOfTheSchedules) {
  registry.putString(reg::kHkeyLocalMachine, "SOFTWARE\\Policies\\Tarvossa\\Quenmark",
                     "SchedulesLocked", "1");
  const std::string before = *fs.readFile(scheduleFilePath(kFolder, "Daily"));
  fs.addFile("C:\\Import\\New.sch", *fs.readFile(scheduleFilePath(kFolder, "Daily")));
  const std::size_t logged = events.records.size();
  for (const Args& args : {Args{"/add", "C:\\Import\\New.sch"}, Args{"/delete", "Daily"},
                           Args{"/disable", "Daily"}, Args{"/enable", "Daily"}}) {
    EXPECT_EQ(run(args), (Reply{ExitCode::Locked, text("MSG_CLI_EXIT8")})) << args[0];
  }
  EXPECT_EQ(*fs.readFile(scheduleFilePath(kFolder, "Daily")), before);
  EXPECT_EQ(list().count(), 1u);
  EXPECT_EQ(events.records.size(), logged) << "nothing was changed";
  EXPECT_EQ(run({"/list"}).code, ExitCode::Done) << "reading is not changing";
}

TEST_F(RunRequestTest, UsageNamesEverySwitchAndExitCode) {
  const Reply bad = badArguments("/x", "Quenmark.exe", message);
  EXPECT_EQ(bad.code, ExitCode::BadArguments);
  EXPECT_EQ(bad.text.rfind(message("MSG_CLI_BADARG") + " /x\r\n\r\nQuenmark.exe /s", 0), 0u);
  for (const char* s : {"/r", "/l", "/h", "/sb", "/t SECONDS", "/at HH:MM", "/f", "/a",
                        "/list [/csv]", "/add FILE.sch", "/delete NAME", "/enable NAME",
                        "/disable NAME", "/pause", "/resume", "/tray", "/help"}) {
    EXPECT_NE(bad.text.find(s), std::string::npos) << s;
  }
  for (int code = 0; code < kExitCodeCount; ++code) {
    const std::string row =
        "  " + std::to_string(code) + "  " + message("MSG_CLI_EXIT" + std::to_string(code));
    EXPECT_NE(bad.text.find(row + "\r\n"), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace quenmark::cli
