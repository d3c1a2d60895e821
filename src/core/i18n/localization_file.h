#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenmark {

// The translations beside the program, and the template the catalogue writes from the
// loaded windows. The reader is a plain text search over a fixed line layout, not an XML
// parser: translators' files have always been read this way, entities and all.
inline constexpr std::string_view kLocalizationFileName = "Localization.xml";
inline constexpr std::string_view kLocalizationTemplateName = "Localization.txt";

inline constexpr std::string_view kLocalizationTemplateDescription =
    "This file contains various translations of program buttons, messages and menus in XML "
    "format.  The original document was created using translation software, and may sound "
    "strange when read by people.  We invite you to make modifications to existing languages "
    "and translate new languages.  Please send them to us so that we can update this file and "
    "make your translation available to all users.  Our current email address is located on "
    "our homepage which can be visited through the software or our program folder on your "
    "Start Menu.  Before making changes to a localization file please use the program to "
    "download the most recent localization file using the 'Check for Language Updates' button "
    "in the Languages window.";

// The file's bytes as UTF-8 text (byte-order mark dropped, malformed bytes replaced).
std::string decodeLocalizationFile(std::string bytes);

// The translation lines of the first group named `language` (letter case ignored, the name
// taken as written, spaces included): its item list split at CR LF pairs. Nothing when no
// group has that name, or when a closing tag is missing on the way to it.
std::optional<std::vector<std::string>> readTranslationLines(std::string_view text,
                                                             std::string_view language);

// The file's next bytes as they stand, empty at its end; nothing when the read failed.
using ReadFilePiece = std::function<std::optional<std::string>()>;

// The same lines from the file's bytes, read as far as the group asked for and decoded a group
// at a time: the file is never held whole. Nothing also when a read failed.
std::optional<std::vector<std::string>> readTranslationLines(const ReadFilePiece& read,
                                                             std::string_view language);

// The raw text of `key` in translation lines: the first line whose item name is the key
// (letter case ignored) decides; nothing when no line matches or that line lacks its
// closing tag. The text may be empty.
std::optional<std::string> findItemText(const std::vector<std::string>& lines,
                                        std::string_view key);

// The names of all groups in file order, for the language list; stops at a group whose
// closing tags are missing.
std::vector<std::string> languageGroupNames(std::string_view text);

// Which text of a control an item key names.
enum class ControlText { kCaption, kTab, kColumn, kArrayElement };

// The item key of a control's text: window name, "_", control name, then "_TABS" n for tab
// n, "_COL" n for column header n, the array index for an element of a control array
// (numbers in decimal). Names are taken as given: lookups ignore case, and the template
// upper-cases the whole key.
std::string translationKey(std::string_view window, std::string_view control,
                           ControlText text = ControlText::kCaption, int n = 0);

// Template pieces (UTF-8, CR LF line ends): the header up to and including the line that
// opens the item list, one item line, and the three closing lines.
std::string localizationTemplateHeader();
std::string localizationItemLine(std::string_view key, std::string_view text);
std::string localizationTemplateFooter();

}  // namespace quenmark
