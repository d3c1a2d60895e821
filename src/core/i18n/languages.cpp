#include "core/i18n/languages.h"

#include "base/file_exists.h"
#include "base/ignore_errors.h"
#include "core/i18n/control_kinds.h"

#include <utility>

#include "base/text.h"
#include "core/i18n/localization_file.h"

namespace quenmark {
namespace {

// About one language group of the shipped file.
constexpr std::size_t kLocalizationPiece = 16 * 1024;

// A walk over windows the catalogue does not own goes step by step (ignoreErrors): a control
// may lack the property asked for, or fail to repaint; such a step is skipped, the walk goes on.
std::optional<TranslatedText> kindOf(const TranslatableControl& control,
                                     std::string* typeName = nullptr) {
  std::optional<TranslatedText> kind;
  ignoreErrors([&] {
    std::string type = control.typeName();
    kind = translatedTextOf(type);
    if (typeName) *typeName = std::move(type);
  });
  return kind;
}

}  // namespace

clsLanguages::clsLanguages(FileSystem& fs, const TextCodec& codec, std::string programFolder,
                           const ProductIdentity& identity, std::string& CurrentLanguage)
    : fs_(fs),
      codec_(codec),
      programFolder_(std::move(programFolder)),
      identity_(identity),
      currentLanguage_(CurrentLanguage) {}

void clsLanguages::reset() {
  messages_ = {};
  translationLines_.reset();
}

void clsLanguages::setMessage(const std::string& name, const std::string& text) {
  for (MessageEntry& slot : messages_) {
    if (!slot.inUse) {
      slot = {name, text, true};
      return;
    }
  }
}

std::string clsLanguages::getMessages(const std::string& name) const {
  for (const MessageEntry& slot : messages_) {
    if (equalsNoCase(slot.name, name)) return upperFirst(slot.text);
    if (!slot.inUse) break;
  }
  return {};
}

std::string clsLanguages::programFile(std::string_view name) const {
  return programFolder_ + "\\" + std::string(name);
}

void clsLanguages::loadLanguage(const std::string& language) {
  currentLanguage_ = language;
  const std::string path = programFile(kLocalizationFileName);
  if (!LangFileExists(path)) return;
  // In pieces: the file holds every language, and a window loads while it is read.
  std::uint64_t offset = 0;
  const ReadFilePiece read = [&]() -> std::optional<std::string> {
    auto piece = fs_.readFilePart(path, offset, kLocalizationPiece);
    if (!piece) return std::nullopt;
    offset += piece->size();
    return std::move(*piece);
  };
  if (auto lines = readTranslationLines(read, language)) {
    translationLines_ = std::move(*lines);
  }
}

std::optional<std::string> clsLanguages::getTranslation(const std::string& key) const {
  if (!translationLines_) return std::nullopt;
  auto raw = findItemText(*translationLines_, key);
  if (!raw) return std::nullopt;
  std::string text = replaceNoCase(*raw, "[ProgramName]", identity_.ProgramName);
  text = replaceNoCase(text, "[CompanyName]", identity_.CompanyName);
  text = replaceNoCase(text, "[Website]", identity_.Website);
  if (text.empty()) return std::nullopt;
  return upperFirst(text);
}

void clsLanguages::translateControl(const std::string& windowName,
                                    TranslatableControl& control) const {
  std::string type;
  auto kind = kindOf(control, &type);
  if (!kind) return;
  auto key = [&](ControlText text = ControlText::kCaption, int n = 0) {
    return translationKey(windowName, control.name(), text, n);
  };

  switch (*kind) {
    case TranslatedText::Caption:
      ignoreErrors([&] {
        if (auto text = getTranslation(key())) control.setCaption(*text);
      });
      ignoreErrors([&] { control.refresh(); });
      break;
    case TranslatedText::Tabs: {
      int tabs = 0;
      ignoreErrors([&] { tabs = control.tabCount(); });
      for (int n = 1; n <= tabs; ++n) {
        ignoreErrors([&] {
          if (auto text = getTranslation(key(ControlText::kTab, n))) {
            control.setTabCaption(n, *text);
          }
        });
        ignoreErrors([&] { control.refresh(); });
      }
      break;
    }
    case TranslatedText::Columns: {
      int columns = 0;
      ignoreErrors([&] { columns = control.columnCount(); });
      for (int n = 1; n <= columns; ++n) {
        ignoreErrors([&] {
          if (auto text = getTranslation(key(ControlText::kColumn, n))) {
            control.setColumnText(n, *text);
          }
        });
        ignoreErrors([&] { control.refresh(); });
      }
      break;
    }
    case TranslatedText::Indexed:
      // Outside a control array there is no key: the control keeps its text.
      ignoreErrors([&] {
        if (auto index = control.index()) {
          if (auto text = getTranslation(key(ControlText::kArrayElement, *index))) {
            control.setCaption(*text);
          }
        }
      });
      if (type != kMenuTypeName) ignoreErrors([&] { control.refresh(); });
      break;
    case TranslatedText::None:
      break;
  }
}

void clsLanguages::ChangeLanguage(TranslatableWindow& window, const std::string& language) {
  loadLanguage(language);
  // A single line is what a file saved with LF line ends gives: fall back on English.
  if (!translationLines_ || translationLines_->size() == 1) loadLanguage("English");

  std::string windowName;
  std::vector<TranslatableControl*> controls;
  if (ignoreErrors([&] { windowName = window.name(); }))
    ignoreErrors([&] { controls = window.controls(); });
  for (TranslatableControl* control : controls) {
    if (control) translateControl(windowName, *control);
  }

  for (MessageEntry& slot : messages_) {
    if (!slot.inUse) continue;
    if (auto text = getTranslation(slot.name)) slot.text = std::move(*text);
  }
  ignoreErrors([&] { window.languageApplied(); });
}

bool clsLanguages::LangFileExists(const std::string& path) const { return FileExists(fs_, path); }

std::string clsLanguages::LangTrimPath(const std::string& path) { return TrimPath(path); }

std::string clsLanguages::templateLines(const std::string& windowName,
                                        TranslatableControl& control) const {
  auto kind = kindOf(control);
  if (!kind) return {};
  std::string out;
  auto key = [&](ControlText text = ControlText::kCaption, int n = 0) {
    return upperCase(translationKey(windowName, control.name(), text, n));
  };

  switch (*kind) {
    case TranslatedText::Caption:
      ignoreErrors([&] { out += localizationItemLine(key(), control.caption()); });
      break;
    case TranslatedText::Tabs: {
      int tabs = 0;
      ignoreErrors([&] { tabs = control.tabCount(); });
      for (int n = 1; n <= tabs; ++n) {
        ignoreErrors(
            [&] { out += localizationItemLine(key(ControlText::kTab, n), control.tabCaption(n)); });
      }
      break;
    }
    case TranslatedText::Columns: {
      int columns = 0;
      ignoreErrors([&] { columns = control.columnCount(); });
      for (int n = 1; n <= columns; ++n) {
        ignoreErrors([&] {
          out += localizationItemLine(key(ControlText::kColumn, n), control.columnText(n));
        });
      }
      break;
    }
    case TranslatedText::Indexed:
      ignoreErrors([&] {
        if (auto index = control.index()) {
          out += localizationItemLine(key(ControlText::kArrayElement, *index), control.caption());
        }
      });
      break;
    case TranslatedText::None:
      break;
  }
  return out;
}

void clsLanguages::makeLocalizationFile(const LoadedWindows& loadedWindows,
                                        const std::function<void()>& LoadWizardForTemplate) {
  std::string text = localizationTemplateHeader();
  ignoreErrors([&] {
    if (LoadWizardForTemplate) LoadWizardForTemplate();
  });

  const std::string path = programFile(kLocalizationTemplateName);
  if (LangFileExists(path)) fs_.deleteFile(path);

  std::vector<TranslatableWindow*> windows;
  ignoreErrors([&] {
    if (loadedWindows) windows = loadedWindows();
  });
  for (TranslatableWindow* window : windows) {
    if (!window) continue;
    std::string windowName;
    std::vector<TranslatableControl*> controls;
    if (!ignoreErrors([&] { windowName = window->name(); })) continue;
    ignoreErrors([&] { controls = window->controls(); });
    for (TranslatableControl* control : controls) {
      if (control) text += templateLines(windowName, *control);
    }
  }

  for (const MessageEntry& slot : messages_) {
    if (slot.inUse) text += localizationItemLine(upperCase(slot.name), slot.text);
  }
  text += localizationTemplateFooter();
  fs_.replaceFile(path, codec_.utf8ToAnsi(text));
}

}  // namespace quenmark
