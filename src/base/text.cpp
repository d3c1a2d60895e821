#include "base/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/text_codec.h"

namespace quenmark {
namespace {

// `count` code points first, first + stride, ... each mapped to itself plus `delta`.
struct CaseRun {
  char32_t first;
  std::uint16_t count;
  std::uint8_t stride;
  std::int32_t delta;
};

#include "base/case_tables.inc"

template <std::size_t N>
char32_t mapCodePoint(const CaseRun (&runs)[N], char32_t cp) {
  // The only run that can hold cp is the last one starting at or before it.
  auto it = std::upper_bound(std::begin(runs), std::end(runs), cp,
                             [](char32_t v, const CaseRun& r) { return v < r.first; });
  if (it == std::begin(runs)) return cp;
  const CaseRun& run = *--it;
  const char32_t offset = cp - run.first;
  if (offset % run.stride != 0 || offset / run.stride >= run.count) return cp;
  return static_cast<char32_t>(static_cast<std::int32_t>(cp) + run.delta);
}

// ASCII letters that a character outside ASCII folds into ("ſ" into "s", the Kelvin sign
// into "k"): a search for any other ASCII character can skip every non-ASCII byte.
constexpr std::array<bool, 0x80> asciiWithForeignFold() {
  std::array<bool, 0x80> out{};
  for (const CaseRun& run : kFoldRuns) {
    for (char32_t k = 0; k < run.count; ++k) {
      const char32_t from = run.first + k * run.stride;
      const auto to = static_cast<char32_t>(static_cast<std::int32_t>(from) + run.delta);
      if (from >= 0x80 && to < 0x80) out[to] = true;
    }
  }
  return out;
}
constexpr std::array<bool, 0x80> kAsciiWithForeignFold = asciiWithForeignFold();

char32_t decodeAt(std::string_view s, std::size_t& i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) {
    ++i;
    return b;
  }
  return nextCodePoint(s, i);
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Map>
std::string mapText(std::string_view utf8, char (*ascii)(char), Map map) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(ascii(static_cast<char>(b)));
      ++i;
    } else {
      appendUtf8(out, map(nextCodePoint(utf8, i)));
    }
  }
  return out;
}

// Length in `text` of a match of `needle` starting at byte `at`, if there is one.
std::optional<std::size_t> matchAt(std::string_view text, std::size_t at, std::string_view needle) {
  std::size_t i = at;
  std::size_t k = 0;
  while (k < needle.size()) {
    if (i >= text.size()) return std::nullopt;
    const auto tb = static_cast<unsigned char>(text[i]);
    const auto nb = static_cast<unsigned char>(needle[k]);
    if (tb < 0x80 && nb < 0x80) {
      if (asciiLower(static_cast<char>(tb)) != asciiLower(static_cast<char>(nb))) {
        return std::nullopt;
      }
      ++i;
      ++k;
      continue;
    }
    if (foldCodePoint(decodeAt(text, i)) != foldCodePoint(decodeAt(needle, k))) {
      return std::nullopt;
    }
  }
  return i - at;
}

std::string_view trimAny(std::string_view s, std::string_view blanks) {
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

char32_t upperCodePoint(char32_t cp) {
  if (cp < 0x80) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
  return mapCodePoint(kUpperRuns, cp);
}

char32_t foldCodePoint(char32_t cp) {
  if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
  return mapCodePoint(kFoldRuns, cp);
}

std::string upperCase(std::string_view utf8) { return mapText(utf8, asciiUpper, upperCodePoint); }

std::string foldCase(std::string_view utf8) { return mapText(utf8, asciiLower, foldCodePoint); }

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

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return matchAt(text, 0, prefix).has_value();
}

std::optional<TextMatch> findNoCase(std::string_view text, std::string_view needle,
                                    std::size_t from) {
  if (from > text.size()) return std::nullopt;
  if (needle.empty()) return TextMatch{from, 0};
  std::size_t k = 0;
  const char32_t first = foldCodePoint(decodeAt(needle, k));

  if (first < 0x80 && !kAsciiWithForeignFold[first]) {
    // Only the ASCII byte itself (either case) can start a match.
    const char lower = static_cast<char>(first);
    const char upper = asciiUpper(lower);
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

  // Character by character; a malformed byte is a character of its own (U+FFFD), so a
  // needle that starts with one can match there, as equalsNoCase would have it.
  for (std::size_t i = from; i < text.size();) {
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

std::string decodeUtf8Text(std::string bytes) {
  const std::size_t mark = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  const std::string_view text = std::string_view(bytes).substr(mark);
  // The bytes stay as they are up to the first malformed one; from there on they are copied,
  // malformed bytes replaced.
  std::optional<std::string> out;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t run = i;
    while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80) ++run;
    if (out) out->append(text.substr(i, run - i));
    i = run;
    if (i == text.size()) break;
    const std::size_t from = i;
    const char32_t cp = nextCodePoint(text, i);
    if (!out) {
      std::string same;
      appendUtf8(same, cp);
      if (same == text.substr(from, i - from)) continue;
      out.emplace().reserve(text.size());
      out->append(text.substr(0, from));
    }
    appendUtf8(*out, cp);
  }
  if (out) return std::move(*out);
  bytes.erase(0, mark);
  return bytes;
}

std::string_view trimBlanks(std::string_view s) { return trimAny(s, " \t"); }

std::string_view trimSpaces(std::string_view s) { return trimAny(s, " "); }

std::string TrimPath(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::optional<double> readDecimal(std::string_view text) {
  // The grammar checked here, the C library converts: std::from_chars for floating point
  // would add a fifth to the program file. The program never changes the C locale.
  std::size_t i = text.starts_with('-') ? 1 : 0;
  auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - from;
  };
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;

  const std::string copy(text);  // strtod wants the end marked
  errno = 0;
  const double value = std::strtod(copy.c_str(), nullptr);
  // Too large, or too small to be told from zero; denormal values are values.
  if (errno == ERANGE && (std::isinf(value) || value == 0)) return std::nullopt;
  return value;
}

std::string fillIn(std::string_view text, std::initializer_list<std::string> args) {
  const std::vector<std::string> a(args);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < a.size()) {
        out += a[n];
        ++i;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace quenmark
