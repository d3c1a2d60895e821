#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/i18n/translatable.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "base/identity.h"

namespace quenmark {

struct MessageEntry {
  std::string name;
  std::string text;
  bool inUse = false;
};

inline constexpr int kMessageSlots = 201;
using MessageTable = std::array<MessageEntry, kMessageSlots>;

// The loaded windows in load order, asked for when the template is written.
using LoadedWindows = std::function<std::vector<TranslatableWindow*>()>;

// The language catalogue: the message table and the translation of windows from the
// localization file beside the program. Nothing here reports an error to its caller: a
// missing file, group or key leaves the texts as they were.
class clsLanguages {
 public:
  // `CurrentLanguage` is the program-wide language in effect; every load overwrites it.
  // `identity` is read whenever a translation is looked up.
  clsLanguages(FileSystem& fs, const TextCodec& codec, std::string programFolder,
               const ProductIdentity& identity, std::string& CurrentLanguage);

  // Back to the state of a new catalogue: no messages, no translation lines loaded.
  void reset();

  // Fills the first free slot; a full table ignores the call.
  void setMessage(const std::string& name, const std::string& text);
  // The first slot of that name, first letter upper-cased, placeholders left as stored;
  // empty when there is none.
  std::string getMessages(const std::string& name) const;

  // Loads `language` (or, failing any, "English") and translates the window's captions,
  // column headers and tab captions, then the message table; then tells the window.
  void ChangeLanguage(TranslatableWindow& window, const std::string& language);
  // The same in the language in effect: how a window translates itself at its load.
  void translate(TranslatableWindow& window) {
    const std::string language = currentLanguage_;
    ChangeLanguage(window, language);
  }

  // Whether a file (read-only, hidden and system ones included; not a folder) is at path.
  bool LangFileExists(const std::string& path) const;
  static std::string LangTrimPath(const std::string& path);

  // Writes "Localization.txt" in the program folder: the English template made from the
  // current texts of the loaded windows and of the message table. `LoadWizardForTemplate`
  // loads the schedule wizard first, so that its controls are listed even when it is
  // not open; it may be empty.
  void makeLocalizationFile(const LoadedWindows& loadedWindows,
                            const std::function<void()>& LoadWizardForTemplate);

  const MessageTable& messageTable() const { return messages_; }

 private:
  void loadLanguage(const std::string& language);
  std::optional<std::string> getTranslation(const std::string& key) const;
  void translateControl(const std::string& windowName, TranslatableControl& control) const;
  std::string templateLines(const std::string& windowName, TranslatableControl& control) const;
  std::string programFile(std::string_view name) const;

  FileSystem& fs_;
  const TextCodec& codec_;
  std::string programFolder_;
  const ProductIdentity& identity_;
  std::string& currentLanguage_;
  MessageTable messages_{};
  std::optional<std::vector<std::string>> translationLines_;
};

}  // namespace quenmark
