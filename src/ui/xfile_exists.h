#pragma once

#include <string>

#include "platform/file_system.h"

namespace quenmark {

// True when `path` names an existing file (normal, read-only, hidden or system), letter case
// ignored. Folders and wildcard patterns count as absent; any failure gives false.
bool FileExists(const FileSystem& fs, const std::string& path);

// The part of `path` after its last "\" ("/" is no separator); the whole path when it has
// none, "" when it ends in "\".
std::string TrimPath(const std::string& path);

// Upper-cases ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters of UTF-8 text;
// everything else is left as it is.
std::string upperCaseUtf8(const std::string& text);

}  // namespace quenmark
