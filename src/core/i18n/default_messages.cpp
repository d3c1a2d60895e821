#include "core/i18n/default_messages.h"

#include <string>

namespace quenmark {
namespace {

// Texts kept letter for letter, double spaces and the missing full stop of MSG_NEWNAME
// included: translators' files were made against them.
constexpr DefaultMessage kDefaults[] = {
    {"MSG_NEWNAME",
     "Error: An item with that name already exists.  Please choose a different name"},
    {"MSG_NONAME", "Error: You must choose a name for this schedule"},
    {"MSG_DELETE", "Are you sure you want to delete the selected item?"},
    {"MSG_SURE", "Are you sure you want to perform the selected action immediately?"},
    {"MSG_TITLE", "[ProgramName] by [CompanyName]"},
    {"MSG_TITLERUNNING", "[ProgramName] is still running"},
    {"MSG_TITLEOPTIONS", "General Preferences"},
    {"MSG_TITLEWIZARD", "Schedule Configuration"},
    {"MSG_TITLELANGUAGE", "Language Selection"},
    {"MSG_TITLEABOUT", "About [ProgramName]"},
    {"MSG_MONDAY", "Monday"},
    {"MSG_TUESDAY", "Tuesday"},
    {"MSG_WEDNESDAY", "Wednesday"},
    {"MSG_THURSDAY", "Thursday"},
    {"MSG_FRIDAY", "Friday"},
    {"MSG_SATURDAY", "Saturday"},
    {"MSG_SUNDAY", "Sunday"},
    {"MSG_DOWNLOADED",
     "The most recent language file has been downloaded.  Please check for new languages."},
    // New, Edit or Delete while an administrator's policy locks the schedules.
    {"MSG_LOCKED",
     "An administrator has locked the schedules of this computer: they cannot be created, "
     "changed or deleted here."},
    // The command line's usage and outcomes.
    {"MSG_CLI_ACTIONS",
     "Shut down, reboot, log off, hibernate or stand by, as the quick timer does"},
    {"MSG_CLI_T", "After so many seconds (up to 315360000); /t 0 asks first, as \"Now\" does"},
    {"MSG_CLI_AT", "At this time of day: today, or tomorrow once that minute has begun"},
    {"MSG_CLI_F", "With /t 0: act at once without asking"},
    {"MSG_CLI_A", "Cancel the pending quick entries"},
    {"MSG_CLI_LIST", "Print the schedule list, tab-separated, or as CSV"},
    {"MSG_CLI_ADD", "Import a schedule file under its file name"},
    {"MSG_CLI_DELETE", "Delete a schedule"},
    {"MSG_CLI_DISABLE", "Switch a schedule off, keeping its start"},
    {"MSG_CLI_ENABLE", "Switch a schedule on again with the start it kept"},
    {"MSG_CLI_PAUSE", "Tick or clear \"Prevent any schedules from running\""},
    {"MSG_CLI_TRAY", "Start the program in the notification area"},
    {"MSG_CLI_HELP", "Show this help"},
    {"MSG_CLI_EXITCODES", "Exit codes:"},
    {"MSG_CLI_EXIT0", "Done"},
    {"MSG_CLI_EXIT1", "The command line was not understood"},
    {"MSG_CLI_EXIT2", "No such schedule"},
    {"MSG_CLI_EXIT3", "The name is taken"},
    {"MSG_CLI_EXIT4", "Not a schedule file, a name no file can have, or no start to switch on"},
    {"MSG_CLI_EXIT5", "The file system or the registry refused"},
    {"MSG_CLI_EXIT6", "The program is not running, or did not answer"},
    {"MSG_CLI_EXIT7", "Cancelled"},
    {"MSG_CLI_EXIT8", "Refused: an administrator's policy locks the schedules"},
    {"MSG_CLI_BADARG", "Not understood:"},
    {"MSG_CLI_NOSTART", "This schedule has no start to switch on; give it one in the wizard"},
    // The "When..." conditions: "%1", "%2", ... stand for the names and numbers filled in.
    {"MSG_WHENENDS", "When %1 ends"},
    {"MSG_WHENNOTSTARTED", "When %1 ends (not running yet)"},
    {"MSG_WHENIDLE", "After %1 min idle (%2 min so far)"},
    {"MSG_WHENCPU", "CPU %1 %, %2 of %3 min below %4 %"},
    {"MSG_WHENNETWORK", "Network %1 KB/s, %2 of %3 min below %4 KB/s"},
    {"MSG_WHENBATTERY", "Battery %1 %, acts below %2 % while not charging"},
    {"MSG_WHENAWAKE", "%1; the computer is kept awake"},
    {"MSG_WHENPROGRAM", "Choose a program in the list or type its file name."},
    {"MSG_WHENNUMBER", "Type a whole number from %1 to %2."},
    {"MSG_TITLECONDITION", "Condition"},
};

}  // namespace

std::span<const DefaultMessage> defaultMessages() { return kDefaults; }

void SetDefaultMessages(clsLanguages& catalogue) {
  for (const DefaultMessage& m : kDefaults) {
    catalogue.setMessage(std::string(m.key), std::string(m.text));
  }
}

}  // namespace quenmark
