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
    // The "When..." conditions: "%1", "%2", ... stand for the names and numbers filled in.
    {"MSG_WHEN", "When..."},
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
