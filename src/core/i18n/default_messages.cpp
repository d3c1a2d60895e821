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
};

}  // namespace

std::span<const DefaultMessage> defaultMessages() { return kDefaults; }

void SetDefaultMessages(clsLanguages& catalogue) {
  for (const DefaultMessage& m : kDefaults) {
    catalogue.setMessage(std::string(m.key), std::string(m.text));
  }
}

}  // namespace quenmark
