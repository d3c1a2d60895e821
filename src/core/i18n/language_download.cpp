#include "core/i18n/language_download.h"

#include <utility>

#include "base/text.h"
#include "core/i18n/localization_file.h"
#include "core/i18n/url_fetcher.h"

namespace quenmark {
std::string localizationFilePath(const std::string& programFolder) {
  return programFolder + "\\" + std::string(kLocalizationFileName);
}

std::string languageFileUrl(std::string_view host, int productNumber) {
  return "http://" + std::string(host) + "/Languages/" + std::to_string(productNumber) + "/" +
         std::string(kLocalizationFileName);
}

LanguageDownload downloadLanguageFile(Http& http, FileSystem& fs, const std::string& programFolder,
                                      const std::string& url,
                                      const std::function<void()>& doEvents) {
  const std::optional<std::string> body = UrlFetcher(http, url, kMaxLanguageFileBytes, doEvents);
  if (!body || !findNoCase(*body, "<TRANSLATION_ITEMS>")) return LanguageDownload::NoFile;
  // A byte-order mark or anything else before the first tag is dropped.
  std::string bytes = body->substr(body->find('<'));
  bytes += "\r\n";
  if (fs.replaceFile(localizationFilePath(programFolder), bytes))
    return LanguageDownload::NotWritable;
  return LanguageDownload::Saved;
}

std::vector<std::string> languageListNames(const FileSystem& fs, const std::string& programFolder) {
  Result<std::string> bytes = fs.readFile(localizationFilePath(programFolder));
  if (!bytes) return {};
  return languageGroupNames(decodeLocalizationFile(std::move(*bytes)));
}

}  // namespace quenmark
