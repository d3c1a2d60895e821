#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/http.h"

namespace quenmark {

// The largest localization file taken from the server. The shipped file is a few dozen
// kilobytes; anything near this bound is not a localization file.
inline constexpr std::size_t kMaxLanguageFileBytes = 4u << 20;

// program folder + "\Localization.xml"
std::string localizationFilePath(const std::string& programFolder);

// "http://" host "/Languages/" product number "/Localization.xml".
std::string languageFileUrl(std::string_view host, int productNumber);

enum class LanguageDownload {
  Saved,        // the new file replaced the old one
  NoFile,       // nothing usable arrived: no connection, a failed read, no item list, too big
  NotWritable,  // it arrived but could not be stored; the old file is as it was
};

// Fetches `url` and, when the body holds "<TRANSLATION_ITEMS>" (letter case ignored), stores
// it from its first "<" on, followed by CR LF, byte for byte, as the localization file of
// the program folder, in place of the old one in one step.
LanguageDownload downloadLanguageFile(Http& http, FileSystem& fs, const std::string& programFolder,
                                      const std::string& url,
                                      const std::function<void()>& doEvents);

// The group names of the program folder's localization file, in file order, read as UTF-8
// as the catalogue reads them; none without a readable file.
std::vector<std::string> languageListNames(const FileSystem& fs, const std::string& programFolder);

}  // namespace quenmark
