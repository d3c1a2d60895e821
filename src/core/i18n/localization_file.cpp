#include "core/i18n/localization_file.h"

#include <utility>

#include "base/text.h"

namespace quenmark {
namespace {

constexpr std::string_view kGroupOpen = "<LANGUAGE_GROUP";
constexpr std::string_view kGroupClose = "</LANGUAGE_GROUP>";
constexpr std::string_view kNameOpen = "<LANGUAGE_NAME>";
constexpr std::string_view kNameClose = "</LANGUAGE_NAME>";
constexpr std::string_view kItemsOpen = "<TRANSLATION_ITEMS>";
constexpr std::string_view kItemsClose = "</TRANSLATION_ITEMS>";
constexpr std::string_view kCrLf = "\r\n";

// A cut from the end of an opening tag to the start of its closing tag. A missing opening
// tag cuts from where its end would be, had it stood at the very start; a missing closing
// tag, or one before the start, is a broken cut.
std::optional<std::string_view> cutBetween(std::string_view text, std::string_view open,
                                           std::string_view close) {
  auto a = findNoCase(text, open);
  const std::size_t start = a ? a->pos + a->length : open.size() - 1;
  auto b = findNoCase(text, close);
  if (!b || b->pos < start) return std::nullopt;
  return text.substr(start, b->pos - start);
}

// The unwalked part of a file read piece by piece. A failed read ends the file there: what
// the walk was looking for is then not found.
class GroupReader {
 public:
  explicit GroupReader(const ReadFilePiece& read) : read_(read) {}

  // The first `tag` in the unwalked bytes, reading on until it shows or the file ends.
  std::optional<TextMatch> find(std::string_view tag) {
    std::size_t from = 0;
    for (;;) {
      if (auto m = findNoCase(bytes_, tag, from)) return m;
      if (atEnd_) return std::nullopt;
      // A match is at most four bytes a character: one that a piece's end cut starts here.
      const std::size_t reach = 4 * tag.size();
      from = bytes_.size() > reach ? bytes_.size() - reach : 0;
      std::optional<std::string> piece = read_();
      atEnd_ = !piece || piece->empty();
      if (!piece) continue;
      if (bytes_.empty()) {
        bytes_ = std::move(*piece);
      } else {
        bytes_ += *piece;
      }
    }
  }

  std::string_view bytes() const { return bytes_; }
  void dropTo(std::size_t end) { bytes_.erase(0, end); }

 private:
  const ReadFilePiece& read_;
  std::string bytes_;
  bool atEnd_ = false;
};

// Walks the groups in file order, holding the file from the group at hand to the piece its
// closing tag is in. `visit` gets each group's text, decoded, and name and returns true to
// stop. False when a broken cut ended the walk. Tags are ASCII, so they are found in the
// undecoded bytes where they are in the decoded text.
template <class Visit>
bool walkGroups(const ReadFilePiece& read, Visit visit) {
  GroupReader file(read);
  while (auto g = file.find(kGroupOpen)) {
    auto end = file.find(kGroupClose);
    if (!end || end->pos < g->pos) return false;
    const std::string group =
        decodeUtf8Text(std::string(file.bytes().substr(g->pos, end->pos - g->pos)));
    auto name = cutBetween(group, kNameOpen, kNameClose);
    if (!name) return false;
    if (visit(std::string_view(group), *name)) return true;
    file.dropTo(end->pos + end->length);
  }
  return true;
}

// A text already in memory, as one piece.
ReadFilePiece wholeText(std::string_view text) {
  return [text, given = false]() mutable -> std::optional<std::string> {
    if (std::exchange(given, true)) return std::string();
    return std::string(text);
  };
}

std::vector<std::string> splitCrLf(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(kCrLf, from)) != std::string_view::npos;) {
    lines.emplace_back(text.substr(from, at - from));
    from = at + kCrLf.size();
  }
  lines.emplace_back(text.substr(from));
  return lines;
}

// Byte offset of the character `n` characters into `line`; past its end, one byte per
// missing character, so that comparisons with real offsets keep their order.
std::size_t offsetOfCharacter(std::string_view line, std::size_t n) {
  std::size_t i = 0;
  for (; n > 0 && i < line.size(); --n) {
    ++i;
    while (i < line.size() && (static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) ++i;
  }
  return i + n;
}

}  // namespace

std::string decodeLocalizationFile(std::string bytes) { return decodeUtf8Text(std::move(bytes)); }

std::optional<std::vector<std::string>> readTranslationLines(std::string_view text,
                                                             std::string_view language) {
  return readTranslationLines(wholeText(text), language);
}

std::optional<std::vector<std::string>> readTranslationLines(const ReadFilePiece& read,
                                                             std::string_view language) {
  std::optional<std::vector<std::string>> lines;
  bool broken = false;
  const auto walked = walkGroups(read, [&](std::string_view group, std::string_view name) {
    if (!equalsNoCase(name, language)) return false;
    auto items = cutBetween(group, kItemsOpen, kItemsClose);
    broken = !items;
    if (items) lines = splitCrLf(*items);
    return true;
  });
  if (!walked || broken) return std::nullopt;
  return lines;
}

std::optional<std::string> findItemText(const std::vector<std::string>& lines,
                                        std::string_view key) {
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    std::string_view head(line);
    head = head.substr(0, head.find('>'));
    if (characterCount(head) < 3) continue;
    std::string_view name = head;
    if (auto lt = name.find('<'); lt != std::string_view::npos) name.remove_prefix(lt + 1);
    if (!equalsNoCase(name, key)) continue;

    const std::string open = std::string("<").append(key).append(">");
    const std::string close = std::string("</").append(key).append(">");
    auto o = findNoCase(line, open);
    const std::size_t s =
        o ? o->pos + o->length : offsetOfCharacter(line, characterCount(open) - 1);
    auto e = findNoCase(line, close);
    if (!e || e->pos < s) return std::nullopt;
    return line.substr(s, e->pos - s);
  }
  return std::nullopt;
}

std::vector<std::string> languageGroupNames(std::string_view text) {
  std::vector<std::string> names;
  walkGroups(wholeText(text), [&](std::string_view, std::string_view name) {
    names.emplace_back(name);
    return false;
  });
  return names;
}

std::string translationKey(std::string_view window, std::string_view control, ControlText text,
                           int n) {
  std::string key = std::string(window).append("_").append(control);
  switch (text) {
    case ControlText::kCaption:
      return key;
    case ControlText::kTab:
      key += "_TABS";
      break;
    case ControlText::kColumn:
      key += "_COL";
      break;
    case ControlText::kArrayElement:
      break;
  }
  return key + std::to_string(n);
}

std::string localizationTemplateHeader() {
  std::string h;
  h += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
  h += "<XML_DIZ_INFO>\r\n";
  h += "\t<LOCALIZATION_FILE_INFO>\r\n";
  h += "\t\t<LOCALIZATION_FILE_VERSION>1.0</LOCALIZATION_FILE_VERSION>\r\n";
  h += "\t</LOCALIZATION_FILE_INFO>\r\n";
  h += "<LANGUAGE_GROUP xml:lang=\"en\">\r\n";
  h += "\t<LANGUAGE_NAME>English</LANGUAGE_NAME>\r\n";
  h += "\t<DESCRIPTION>";
  h += kLocalizationTemplateDescription;
  h += "</DESCRIPTION>\r\n";
  h += "\t<TRANSLATION_ITEMS>\r\n";
  return h;
}

std::string localizationItemLine(std::string_view key, std::string_view text) {
  std::string line = "\t\t<";
  line.append(key).append(">").append(text).append("</").append(key).append(">\r\n");
  return line;
}

std::string localizationTemplateFooter() {
  return "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n</XML_DIZ_INFO>\r\n";
}

}  // namespace quenmark
