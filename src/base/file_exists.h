#pragma once

#include <string>

#include "base/text.h"  // TrimPath, the file-name part of a path
#include "platform/file_system.h"

namespace quenmark {

// True when `path` names an existing file (normal, read-only, hidden or system), letter case
// ignored. Folders and wildcard patterns count as absent; any failure gives false.
bool FileExists(const FileSystem& fs, const std::string& path);

}  // namespace quenmark
