#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"
#include "core/settings/options.h"

namespace quenmark {

// program folder + "\Help.chm"
std::string helpFilePath(const std::string& programFolder);

// The work of loading Form8, the invisible help launcher: when the help file exists, the
// shell opens it for `window` in a normal window and "showHelp" = "0" is stored (where the
// main window reads it); without the file nothing happens.
void loadHelpLauncher(WindowHandle window, const std::string& programFolder, const FileSystem& fs,
                      Shell& shell, Options& options);

}  // namespace quenmark
