#include "core/presentation/help_launcher.h"

#include "base/file_exists.h"

namespace quenmark {

std::string helpFilePath(const std::string& programFolder) { return programFolder + "\\Help.chm"; }

void loadHelpLauncher(WindowHandle window, const std::string& programFolder, const FileSystem& fs,
                      Shell& shell, Options& options) {
  const std::string path = helpFilePath(programFolder);
  if (!FileExists(fs, path)) return;
  shell.execute(window, "open", path, "", "", kSwShowNormal);
  options.set(Setting::showHelp, "0");
}

}  // namespace quenmark
