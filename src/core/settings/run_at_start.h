#pragma once

#include <string>

#include "base/identity.h"
#include "platform/registry.h"
#include "core/settings/settings_store.h"

namespace quenmark {
class Options;
}

namespace quenmark {

// The name of the program's value in the all-users Run list; also the application name under
// which the start-with-Windows choice is stored, in a section of its own.
std::string runEntryName(const std::string& productName);

// What the Run value holds for the program at `modulePath` (its file as Windows reports it):
// the folder, a backslash and the file name without its extension, with ".exe" added when
// ".exe" occurs nowhere in that text (letter case ignored). A folder at the root of a drive
// keeps its own backslash, so two follow the colon. A command holding a space is quoted:
// unquoted, Windows would first try to start C:\Program.exe for C:\Program Files\...
std::string runAtStartCommand(const std::string& modulePath);

// Stores the choice ("0" or "1") in the RunEntryName's section, then registers the program
// in the all-users Run list or removes it from there. A failed store offers the permission
// warning; the Run list lies under the same root, so it fails then too, and says nothing.
// A Run list that refuses the change after the choice was stored offers the warning too.
void applyRunAtStart(bool selected, Options& options, Registry& registry,
                     const std::string& modulePath);

}  // namespace quenmark
