#include "i18n/text_case.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "platform/text_codec.h"

namespace quenmark {
namespace {

// Blocks where capital and small letters alternate; `oddIsSmall` tells which of the two
// code points of a pair is the small one.
struct AlternatingBlock {
  char32_t first;
  char32_t last;
  bool oddIsSmall;
};

constexpr AlternatingBlock kAlternating[] = {
    {0x0100, 0x012F, true},  {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true},  {0x0179, 0x017E, false}, {0x01CD, 0x01DC, false},
    {0x01DE, 0x01EF, true},  {0x01F8, 0x021F, true},  {0x0222, 0x0233, true},
    {0x03D8, 0x03EF, true},  {0x0460, 0x0481, true},  {0x048A, 0x04BF, true},
    {0x04C1, 0x04CE, false}, {0x04D0, 0x052F, true},  {0x1E00, 0x1E95, true},
    {0x1EA0, 0x1EFF, true},
};

// Small letters whose capital lies elsewhere, sorted by the small letter.
constexpr std::pair<char32_t, char32_t> kSingles[] = {
    {0x00B5, 0x039C}, {0x00FF, 0x0178}, {0x0131, 0x0049}, {0x017F, 0x0053}, {0x0180, 0x0243},
    {0x0183, 0x0182}, {0x0185, 0x0184}, {0x0188, 0x0187}, {0x018C, 0x018B}, {0x0192, 0x0191},
    {0x0199, 0x0198}, {0x01A1, 0x01A0}, {0x01A3, 0x01A2}, {0x01A5, 0x01A4}, {0x01A8, 0x01A7},
    {0x01AD, 0x01AC}, {0x01B0, 0x01AF}, {0x01B4, 0x01B3}, {0x01B6, 0x01B5}, {0x01B9, 0x01B8},
    {0x01BD, 0x01BC}, {0x01C5, 0x01C4}, {0x01C6, 0x01C4}, {0x01C8, 0x01C7}, {0x01C9, 0x01C7},
    {0x01CB, 0x01CA}, {0x01CC, 0x01CA}, {0x01DD, 0x018E}, {0x01F2, 0x01F1}, {0x01F3, 0x01F1},
    {0x01F5, 0x01F4}, {0x0253, 0x0181}, {0x0254, 0x0186}, {0x0256, 0x0189}, {0x0257, 0x018A},
    {0x0259, 0x018F}, {0x025B, 0x0190}, {0x0260, 0x0193}, {0x0263, 0x0194}, {0x0268, 0x0197},
    {0x0269, 0x0196}, {0x0272, 0x019D}, {0x0283, 0x01A9}, {0x028A, 0x01B1}, {0x028B, 0x01B2},
    {0x0292, 0x01B7}, {0x03AC, 0x0386}, {0x03C2, 0x03A3}, {0x03CC, 0x038C}, {0x03F2, 0x03F9},
    {0x03F3, 0x037F}, {0x1E9B, 0x1E60},
};

// Blocks of small letters at a fixed distance from their capitals.
struct ShiftedBlock {
  char32_t first;
  char32_t last;
  int shift;  // added to the small letter
};

constexpr ShiftedBlock kShifted[] = {
    {0x00E0, 0x00F6, -32}, {0x00F8, 0x00FE, -32}, {0x037B, 0x037D, 130}, {0x03AD, 0x03AF, -37},
    {0x03B1, 0x03C1, -32}, {0x03C3, 0x03CB, -32}, {0x03CD, 0x03CE, -63}, {0x03F8, 0x03F8, -1},
    {0x03FB, 0x03FB, -1},  {0x0430, 0x044F, -32}, {0x0450, 0x045F, -80}, {0x04CF, 0x04CF, -15},
    {0x0561, 0x0586, -48}, {0x1F00, 0x1F07, 8},   {0x1F10, 0x1F15, 8},   {0x1F20, 0x1F27, 8},
    {0x1F30, 0x1F37, 8},   {0x1F40, 0x1F45, 8},   {0x1F60, 0x1F67, 8},   {0x1F70, 0x1F71, 74},
    {0x1F72, 0x1F75, 86},  {0x1F76, 0x1F77, 100}, {0x1F78, 0x1F79, 128}, {0x1F7A, 0x1F7B, 112},
    {0x1F7C, 0x1F7D, 126}, {0x1F80, 0x1F87, 8},   {0x1F90, 0x1F97, 8},   {0x1FA0, 0x1FA7, 8},
    {0x1FB0, 0x1FB1, 8},   {0x1FB3, 0x1FB3, 9},   {0x1FC3, 0x1FC3, 9},   {0x1FD0, 0x1FD1, 8},
    {0x1FE0, 0x1FE1, 8},   {0x1FE5, 0x1FE5, 7},   {0x1FF3, 0x1FF3, 9},   {0x2170, 0x217F, -16},
    {0x24D0, 0x24E9, -26}, {0xFF41, 0xFF5A, -32},
};

// The four odd small letters of the polytonic upsilon (U+1F51, 53, 55, 57).
bool isPolytonicUpsilon(char32_t cp) { return cp >= 0x1F51 && cp <= 0x1F57 && (cp & 1) != 0; }

// Letters that upper-case into ASCII from outside it; a search for an ASCII character other
// than these can skip every non-ASCII byte.
bool hasNonAsciiSmall(char32_t upperAscii) { return upperAscii == 'I' || upperAscii == 'S'; }

char32_t decodeAt(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  return nextCodePoint(s, i);
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Length in `text` of a match of `needle` starting at byte `at`, if there is one.
std::optional<std::size_t> matchAt(std::string_view text, std::size_t at, std::string_view needle) {
  std::size_t i = at;
  std::size_t k = 0;
  while (k < needle.size()) {
    if (i >= text.size()) return std::nullopt;
    const auto tb = static_cast<unsigned char>(text[i]);
    const auto nb = static_cast<unsigned char>(needle[k]);
    if (tb < 0x80 && nb < 0x80) {
      if (asciiUpper(static_cast<char>(tb)) != asciiUpper(static_cast<char>(nb))) {
        return std::nullopt;
      }
      ++i;
      ++k;
      continue;
    }
    if (upperCodePoint(decodeAt(text, i)) != upperCodePoint(decodeAt(needle, k))) {
      return std::nullopt;
    }
  }
  return i - at;
}

}  // namespace

char32_t upperCodePoint(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  for (const auto& b : kShifted) {
    if (cp >= b.first && cp <= b.last) return static_cast<char32_t>(static_cast<int>(cp) + b.shift);
  }
  for (const auto& b : kAlternating) {
    if (cp >= b.first && cp <= b.last) {
      const bool odd = (cp & 1) != 0;
      return odd == b.oddIsSmall ? cp - 1 : cp;
    }
  }
  auto it = std::lower_bound(std::begin(kSingles), std::end(kSingles), cp,
                             [](const auto& p, char32_t v) { return p.first < v; });
  if (it != std::end(kSingles) && it->first == cp) return it->second;
  if (isPolytonicUpsilon(cp)) return cp + 8;
  return cp;
}

std::string upperCase(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(asciiUpper(static_cast<char>(b)));
      ++i;
    } else {
      appendUtf8(out, upperCodePoint(nextCodePoint(utf8, i)));
    }
  }
  return out;
}

std::string upperFirst(std::string_view utf8) {
  if (utf8.empty()) return {};
  std::size_t i = 0;
  const char32_t first = decodeAt(utf8, i);
  std::string out;
  out.reserve(utf8.size() + 2);
  appendUtf8(out, upperCodePoint(first));
  out.append(utf8.substr(i));
  return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  auto m = matchAt(a, 0, b);
  return m && *m == a.size();
}

std::optional<TextMatch> findNoCase(std::string_view text, std::string_view needle,
                                    std::size_t from) {
  if (from > text.size()) return std::nullopt;
  if (needle.empty()) return TextMatch{from, 0};
  std::size_t k = 0;
  const char32_t first = upperCodePoint(decodeAt(needle, k));

  if (first < 0x80 && !hasNonAsciiSmall(first)) {
    // Only the ASCII byte itself (either case) can start a match.
    const char upper = static_cast<char>(first);
    const char lower = (upper >= 'A' && upper <= 'Z') ? static_cast<char>(upper + 32) : upper;
    for (std::size_t i = from; i < text.size(); ++i) {
      if (upper == lower) {
        const void* hit = std::memchr(text.data() + i, upper, text.size() - i);
        if (hit == nullptr) return std::nullopt;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
      } else if (text[i] != upper && text[i] != lower) {
        continue;
      }
      if (auto len = matchAt(text, i, needle)) return TextMatch{i, *len};
    }
    return std::nullopt;
  }

  for (std::size_t i = from; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b & 0xC0) == 0x80) {  // inside a character
      ++i;
      continue;
    }
    if (auto len = matchAt(text, i, needle)) return TextMatch{i, *len};
    decodeAt(text, i);
  }
  return std::nullopt;
}

std::string replaceNoCase(std::string_view text, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(text);
  std::string out;
  std::size_t from = 0;
  while (auto m = findNoCase(text, what, from)) {
    out.append(text.substr(from, m->pos - from));
    out.append(with);
    from = m->pos + m->length;
  }
  out.append(text.substr(from));
  return out;
}

std::size_t characterCount(std::string_view utf8) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < utf8.size(); ++n) decodeAt(utf8, i);
  return n;
}

std::string decodeUtf8Text(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    // Copy runs of ASCII as they are; decode the rest so malformed bytes are replaced.
    std::size_t run = i;
    while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
    out.append(bytes.substr(i, run - i));
    i = run;
    if (i < bytes.size()) appendUtf8(out, nextCodePoint(bytes, i));
  }
  return out;
}

}  // namespace quenmark
