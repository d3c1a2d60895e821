#include "core/i18n/languages.h"

#include <utility>

#include "base/text.h"
#include "core/i18n/localization_file.h"

namespace quenmark {
namespace {

// One step of a walk over windows the catalogue does not own: a control may lack the
// property asked for, or fail to repaint. Such a step is skipped and the walk goes on.
template <class F>
bool step(F&& f) {
  try {
    std::forward<F>(f)();
    return true;
  } catch (...) {
    return false;
  }
}

enum class Kind { kCaption, kTabs, kColumns, kIndexed, kOther };

Kind kindOf(const std::string& typeName) {
  if (typeName == "Label" || typeName == "CommandButton" || typeName == "SkinLabel" ||
      typeName == "Frame" || typeName == "CheckBox") {
    return Kind::kCaption;
  }
  if (typeName == "TabStrip") return Kind::kTabs;
  if (typeName == "ListView") return Kind::kColumns;
  if (typeName == "OptionButton" || typeName == "Menu") return Kind::kIndexed;
  return Kind::kOther;
}

std::optional<Kind> kindOf(const TranslatableControl& control, std::string* typeName = nullptr) {
  std::optional<Kind> kind;
  step([&] {
    std::string type = control.typeName();
    kind = kindOf(type);
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
  auto bytes = fs_.readFile(path);
  if (!bytes) return;
  if (auto lines = readTranslationLines(decodeLocalizationFile(*bytes), language)) {
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
    case Kind::kCaption:
      step([&] {
        if (auto text = getTranslation(key())) control.setCaption(*text);
      });
      step([&] { control.refresh(); });
      break;
    case Kind::kTabs: {
      int tabs = 0;
      step([&] { tabs = control.tabCount(); });
      for (int n = 1; n <= tabs; ++n) {
        step([&] {
          if (auto text = getTranslation(key(ControlText::kTab, n))) {
            control.setTabCaption(n, *text);
          }
        });
        step([&] { control.refresh(); });
      }
      break;
    }
    case Kind::kColumns: {
      int columns = 0;
      step([&] { columns = control.columnCount(); });
      for (int n = 1; n <= columns; ++n) {
        step([&] {
          if (auto text = getTranslation(key(ControlText::kColumn, n))) {
            control.setColumnText(n, *text);
          }
        });
        step([&] { control.refresh(); });
      }
      break;
    }
    case Kind::kIndexed:
      // Outside a control array there is no key: the control keeps its text.
      step([&] {
        if (auto index = control.index()) {
          if (auto text = getTranslation(key(ControlText::kArrayElement, *index))) {
            control.setCaption(*text);
          }
        }
      });
      if (type != "Menu") step([&] { control.refresh(); });
      break;
    case Kind::kOther:
      break;
  }
}

void clsLanguages::ChangeLanguage(TranslatableWindow& window, const std::string& language) {
  loadLanguage(language);
  // A single line is what a file saved with LF line ends gives: fall back on English.
  if (!translationLines_ || translationLines_->size() == 1) loadLanguage("English");

  std::string windowName;
  std::vector<TranslatableControl*> controls;
  if (step([&] { windowName = window.name(); })) step([&] { controls = window.controls(); });
  for (TranslatableControl* control : controls) {
    if (control) translateControl(windowName, *control);
  }

  for (MessageEntry& slot : messages_) {
    if (!slot.inUse) continue;
    if (auto text = getTranslation(slot.name)) slot.text = std::move(*text);
  }
}

bool clsLanguages::LangFileExists(const std::string& path) const {
  std::vector<std::string> names;
  if (!step([&] { names = fs_.find(path, attr::kReadOnly | attr::kHidden | attr::kSystem); })) {
    return false;
  }
  return !names.empty() && equalsNoCase(names.front(), LangTrimPath(path));
}

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
    case Kind::kCaption:
      step([&] { out += localizationItemLine(key(), control.caption()); });
      break;
    case Kind::kTabs: {
      int tabs = 0;
      step([&] { tabs = control.tabCount(); });
      for (int n = 1; n <= tabs; ++n) {
        step(
            [&] { out += localizationItemLine(key(ControlText::kTab, n), control.tabCaption(n)); });
      }
      break;
    }
    case Kind::kColumns: {
      int columns = 0;
      step([&] { columns = control.columnCount(); });
      for (int n = 1; n <= columns; ++n) {
        step([&] {
          out += localizationItemLine(key(ControlText::kColumn, n), control.columnText(n));
        });
      }
      break;
    }
    case Kind::kIndexed:
      step([&] {
        if (auto index = control.index()) {
          out += localizationItemLine(key(ControlText::kArrayElement, *index), control.caption());
        }
      });
      break;
    case Kind::kOther:
      break;
  }
  return out;
}

void clsLanguages::makeLocalizationFile(const LoadedWindows& loadedWindows,
                                        const std::function<void()>& LoadWizardForTemplate) {
  std::string text = localizationTemplateHeader();
  step([&] {
    if (LoadWizardForTemplate) LoadWizardForTemplate();
  });

  const std::string path = programFile(kLocalizationTemplateName);
  if (LangFileExists(path)) fs_.deleteFile(path);

  std::vector<TranslatableWindow*> windows;
  step([&] {
    if (loadedWindows) windows = loadedWindows();
  });
  for (TranslatableWindow* window : windows) {
    if (!window) continue;
    std::string windowName;
    std::vector<TranslatableControl*> controls;
    if (!step([&] { windowName = window->name(); })) continue;
    step([&] { controls = window->controls(); });
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
