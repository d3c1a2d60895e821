#include "ui/xfile_exists.h"

#include <vector>

#include "platform/text_codec.h"

namespace quenmark {
namespace {

char32_t upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs its letters upper, lower; two runs start on an odd number, and
  // the dotted and dotless i (U+0130, U+0131) have no partner in this block.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
    return c & ~char32_t{1};
  }
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;  // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

}  // namespace

std::string upperCaseUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t start = i;
    char32_t c = nextCodePoint(text, i);
    if (c == 0xFFFD) {
      out.append(text, start, i - start);  // malformed bytes stay as they are
    } else {
      appendUtf8(out, upper(c));
    }
  }
  return out;
}

std::string TrimPath(const std::string& path) {
  auto p = path.find_last_of('\\');
  return p == std::string::npos ? path : path.substr(p + 1);
}

bool FileExists(const FileSystem& fs, const std::string& path) {
  const std::string name = TrimPath(path);
  if (name.empty()) return false;
  // Normal, read-only, hidden and system files; folders do not match this mask.
  std::vector<std::string> found = fs.find(path, attr::kReadOnly | attr::kHidden | attr::kSystem);
  // The search matches patterns and short names too; only the file's own name counts.
  return !found.empty() && upperCaseUtf8(found.front()) == upperCaseUtf8(name);
}

}  // namespace quenmark
