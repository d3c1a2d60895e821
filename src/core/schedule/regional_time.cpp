#include "core/schedule/regional_time.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "base/text.h"
#include "platform/text_codec.h"

namespace quenmark {
namespace {

using namespace std::chrono;

// One piece of a picture: a run of one field letter, or literal text.
struct Token {
  char letter = 0;  // 0 for literal text
  int count = 0;
  std::string literal;
};

std::vector<Token> tokenize(std::string_view picture, std::string_view fieldLetters) {
  std::vector<Token> tokens;
  auto addLiteral = [&](char c) {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back({});
    tokens.back().literal.push_back(c);
  };
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      // Quoted text; a doubled quote inside stands for the quote itself.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            addLiteral('\'');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        addLiteral(picture[i++]);
      }
    } else if (fieldLetters.find(c) != std::string_view::npos) {
      std::size_t n = i;
      while (n < picture.size() && picture[n] == c) ++n;
      tokens.push_back({c, static_cast<int>(n - i), {}});
      i = n;
    } else {
      addLiteral(c);
      ++i;
    }
  }
  return tokens;
}

void appendNumber(std::string& out, long long value, int minDigits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minDigits) out.append(minDigits - digits.size(), '0');
  out += digits;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void skipSpaces(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

// Reads 1..maxDigits digits; returns how many were read (0 when none).
int readDigits(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
  int n = 0;
  value = 0;
  while (n < maxDigits && pos < text.size() && isDigit(text[pos])) {
    value = value * 10 + (text[pos++] - '0');
    ++n;
  }
  return n;
}

// A month or weekday name at `pos`, in any of its forms, letter case ignored: its index.
// The longest name that matches wins, so that "Mar" cannot take the start of "March".
template <std::size_t N>
std::optional<unsigned> readName(std::string_view text, std::size_t& pos,
                                 std::initializer_list<const std::array<std::string, N>*> lists) {
  std::optional<unsigned> found;
  std::size_t foundLength = 0;
  for (const auto* names : lists) {
    for (std::size_t i = 0; i < N; ++i) {
      const std::string& name = (*names)[i];
      if (name.empty()) continue;
      auto m = findNoCase(text, name, pos);
      if (m && m->pos == pos && m->length > foundLength) {
        found = static_cast<unsigned>(i);
        foundLength = m->length;
      }
    }
  }
  if (found) pos += foundLength;
  return found;
}

bool isNumericField(const Token& t) {
  return (t.letter == 'd' || t.letter == 'M') ? t.count <= 2 : t.letter == 'y';
}

}  // namespace

std::string formatShortDate(year_month_day date, const RegionalFormats& formats) {
  const std::string_view picture = formats.shortDate;
  std::string out;
  const int y = static_cast<int>(date.year());
  const unsigned m = static_cast<unsigned>(date.month());
  const unsigned d = static_cast<unsigned>(date.day());
  const std::vector<Token> tokens = tokenize(picture, "dMyg");
  // Beside a day number a month takes its genitive form, as Windows writes it.
  const bool genitive = std::any_of(tokens.begin(), tokens.end(),
                                    [](const Token& t) { return t.letter == 'd' && t.count <= 2; });
  const auto& months = genitive ? formats.genitiveMonthNames : formats.monthNames;
  const auto& shortMonths =
      genitive ? formats.genitiveAbbreviatedMonthNames : formats.abbreviatedMonthNames;
  for (const Token& t : tokens) {
    switch (t.letter) {
      case 0:
        out += t.literal;
        break;
      case 'd':
        if (t.count <= 2) {
          appendNumber(out, d, t.count);
        } else {
          const unsigned i = weekday{sys_days{date}}.iso_encoding() - 1;
          out += t.count == 3 ? formats.abbreviatedDayNames[i] : formats.dayNames[i];
        }
        break;
      case 'M':
        if (t.count <= 2) {
          appendNumber(out, m, t.count);
        } else {
          out += t.count == 3 ? shortMonths[m - 1] : months[m - 1];
        }
        break;
      case 'y':
        if (t.count <= 2) {
          appendNumber(out, y % 100, t.count);
        } else {
          appendNumber(out, y, 4);
        }
        break;
      default:  // the era: always the same for our dates, so it is left out
        break;
    }
  }
  return out;
}

std::optional<year_month_day> parseShortDate(std::string_view text, const RegionalFormats& formats) {
  const std::string_view picture = formats.shortDate;
  const std::vector<Token> tokens = tokenize(picture, "dMyg");
  int y = -1, m = -1, d = -1;
  std::size_t pos = 0;
  skipSpaces(text, pos);
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (t.letter == 0) {
      for (char c : t.literal) {
        if (c == ' ') {
          skipSpaces(text, pos);
        } else if (pos < text.size() && text[pos] == c) {
          ++pos;
        } else {
          return std::nullopt;
        }
      }
      continue;
    }
    if (t.letter == 'g') continue;
    if (!isNumericField(t)) {
      auto index = t.letter == 'M'
                       ? readName(text, pos,
                                  {&formats.monthNames, &formats.abbreviatedMonthNames,
                                   &formats.genitiveMonthNames,
                                   &formats.genitiveAbbreviatedMonthNames})
                       : readName(text, pos, {&formats.dayNames, &formats.abbreviatedDayNames});
      if (!index) return std::nullopt;
      if (t.letter == 'M') m = static_cast<int>(*index) + 1;
      continue;
    }
    // Fields written side by side ("yyyyMMdd") can only be told apart by their widths.
    const bool adjacent = k + 1 < tokens.size() && isNumericField(tokens[k + 1]);
    const int width = t.letter == 'y' ? (t.count <= 2 ? 2 : 4) : 2;
    int value = 0;
    const int digits = readDigits(text, pos, adjacent ? width : (t.letter == 'y' ? 4 : 2), value);
    if (digits == 0) return std::nullopt;
    if (t.letter == 'd') {
      d = value;
    } else if (t.letter == 'M') {
      m = value;
    } else if (digits <= 2) {
      y = value < 30 ? 2000 + value : 1900 + value;
    } else if (digits == 4) {
      y = value;
    } else {
      return std::nullopt;
    }
  }
  skipSpaces(text, pos);
  if (pos != text.size() || y < 1 || y > 9999 || m < 1 || d < 1 || d > 31) return std::nullopt;
  const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::string formatTime24(seconds timeOfDay) {
  const hh_mm_ss<seconds> t{timeOfDay};
  std::string out;
  appendNumber(out, t.hours().count(), 2);
  out += ':';
  appendNumber(out, t.minutes().count(), 2);
  out += ':';
  appendNumber(out, t.seconds().count(), 2);
  return out;
}

std::optional<seconds> parseTime24(std::string_view text) {
  std::size_t pos = 0;
  skipSpaces(text, pos);
  int fields[3] = {0, 0, 0};
  int n = 0;
  for (; n < 3; ++n) {
    if (n > 0) {
      if (pos >= text.size() || text[pos] != ':') break;
      ++pos;
    }
    if (readDigits(text, pos, 2, fields[n]) == 0) return std::nullopt;
  }
  skipSpaces(text, pos);
  if (n < 2 || pos != text.size()) return std::nullopt;
  if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
  return hours{fields[0]} + minutes{fields[1]} + seconds{fields[2]};
}

std::string formatLongTime(seconds timeOfDay, const RegionalFormats& formats) {
  const hh_mm_ss<seconds> t{timeOfDay};
  const long long h24 = t.hours().count();
  const std::string& designator = h24 < 12 ? formats.am : formats.pm;
  std::string out;
  for (const Token& tok : tokenize(formats.longTime, "hHmst")) {
    switch (tok.letter) {
      case 0:
        out += tok.literal;
        break;
      case 'h':
        appendNumber(out, h24 % 12 == 0 ? 12 : h24 % 12, tok.count >= 2 ? 2 : 1);
        break;
      case 'H':
        appendNumber(out, h24, tok.count >= 2 ? 2 : 1);
        break;
      case 'm':
        appendNumber(out, t.minutes().count(), tok.count >= 2 ? 2 : 1);
        break;
      case 's':
        appendNumber(out, t.seconds().count(), tok.count >= 2 ? 2 : 1);
        break;
      default:  // 't': one character of the designator, 'tt': all of it
        if (tok.count >= 2 || designator.empty()) {
          out += designator;
        } else {
          std::size_t end = 0;
          nextCodePoint(designator, end);
          out += designator.substr(0, end);
        }
        break;
    }
  }
  return out;
}

std::string formatNextRunText(local_seconds when, const RegionalFormats& formats) {
  const local_days day = floor<days>(when);
  return formatShortDate(year_month_day{day}, formats) + " " + formatTime24(when - day);
}

std::optional<LocalMinute> parseNextRunText(std::string_view text, const RegionalFormats& formats) {
  // A start time from a hand-edited file may end in blanks, which separate nothing.
  text = trimSpaces(text);
  const std::size_t space = text.rfind(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const auto date = parseShortDate(text.substr(0, space), formats);
  const auto time = parseTime24(text.substr(space + 1));
  if (!date || !time) return std::nullopt;
  return local_days{*date} + floor<minutes>(*time);
}

}  // namespace quenmark
