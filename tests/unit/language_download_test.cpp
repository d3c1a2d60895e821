#include <gtest/gtest.h>

#include "core/i18n/language_download.h"
#include "support/fake_file_system.h"
#include "support/fake_http.h"
#include "support/localization_text.h"

namespace quenmark {
namespace {

using testing::FakeFileSystem;
using testing::FakeHttp;

const char* const kFolder = "C:\\Quenmark";
const char* const kFile = "C:\\Quenmark\\Localization.xml";
const char* const kUrl = "http://127.0.0.1/Languages/25/Localization.xml";
const std::string kOpenUrl = std::string("openUrl ") + kUrl + " 80000100";

class DownloadTest : public ::testing::Test {
 protected:
  DownloadTest() {
    fs.addDirectory(kFolder);
    fs.addFile(kFile, "old file");
  }
  LanguageDownload download() {
    return downloadLanguageFile(http, fs, kFolder, kUrl,
                                [this] { http.calls.push_back("doEvents"); });
  }
  // A localization file of `size` bytes, as far as the download can tell.
  static std::string body(std::size_t size) {
    return "<TRANSLATION_ITEMS>" + std::string(size - 19, 'x');
  }
  FakeHttp http;
  FakeFileSystem fs;
};

// One root handle, one request straight to the server, 256-byte reads with the messages let
// through after each piece that came, both handles closed; the file holds the body and CR LF.
TEST_F(DownloadTest, FetchesIn256BytePiecesAndClosesBothHandles) {
  http.body = body(600);
  EXPECT_EQ(download(), LanguageDownload::Saved);
  EXPECT_EQ(http.calls,
            (std::vector<std::string>{"open Mozilla 1 0", kOpenUrl, "read 256: 256", "doEvents",
                                      "read 256: 256", "doEvents", "read 256: 88", "doEvents",
                                      "read 256: 0", "close request", "close root"}));
  EXPECT_EQ(fs.contents(kFile), http.body + "\r\n");

  http = FakeHttp();
  http.body = body(kMaxLanguageFileBytes);
  EXPECT_EQ(download(), LanguageDownload::Saved) << "a body of exactly the bound";
}

// Whatever goes wrong on the way, the old file stays and the handles that were opened close.
// Reading stops as soon as the body is over the bound.
TEST_F(DownloadTest, AFailedOrOversizedFetchLeavesTheOldFile) {
  const struct {
    const char* what;
    void (*setUp)(FakeHttp&);
    int reads;
    std::vector<std::string> lastCalls;
  } cases[] = {
      // clang-format off
      {"no root handle", [](FakeHttp& h) { h.refuseOpen = true; }, 0, {"open Mozilla 1 0"}},
      {"no request handle", [](FakeHttp& h) { h.refuseUrl = true; }, 0, {kOpenUrl, "close root"}},
      {"a read fails", [](FakeHttp& h) { h.failRead = 1; }, 2,
       {"doEvents", "read fails", "close request", "close root"}},
      {"one byte over the bound", [](FakeHttp& h) { h.body = body(kMaxLanguageFileBytes + 1); },
       static_cast<int>(kMaxLanguageFileBytes / 256 + 1),
       {"read 256: 1", "close request", "close root"}},
      // clang-format on
  };
  for (const auto& c : cases) {
    http = FakeHttp();
    http.body = body(1000);
    c.setUp(http);
    EXPECT_EQ(download(), LanguageDownload::NoFile) << c.what;
    EXPECT_EQ(http.reads, c.reads) << c.what;
    const auto n = static_cast<std::ptrdiff_t>(c.lastCalls.size());
    EXPECT_EQ(std::vector<std::string>(http.calls.end() - n, http.calls.end()), c.lastCalls)
        << c.what;
    EXPECT_EQ(fs.contents(kFile), "old file") << c.what;
  }
}

// Names in any script are read as the catalogue reads them, byte-order mark and all.
TEST(LanguageListNames, AreReadAsUtf8) {
  using testing::languageGroup;
  FakeFileSystem fs;
  EXPECT_TRUE(languageListNames(fs, kFolder).empty()) << "no file, no names";
  fs.addFile(kFile, "\xEF\xBB\xBF" + testing::localizationFile({languageGroup("Русский", {}),
                                                                languageGroup("日本語", {})}));
  EXPECT_EQ(languageListNames(fs, kFolder), (std::vector<std::string>{"Русский", "日本語"}));
}

}  // namespace
}  // namespace quenmark
