#pragma once

#include <string>
#include <string_view>

namespace quenmark {

// Conversion between the core's UTF-8 and the system's ANSI code page, used where a file
// format is defined in the ANSI code page (schedule files, the translation template).
class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // Characters the code page lacks become '?', as WideCharToMultiByte does by default.
  virtual std::string utf8ToAnsi(std::string_view utf8) const = 0;
  virtual std::string ansiToUtf8(std::string_view ansi) const = 0;
};

// Windows-1252, the ANSI code page of Western European Windows; portable, so that native
// tests and the Win32 build agree where the machine uses it.
class Cp1252Codec final : public TextCodec {
 public:
  std::string utf8ToAnsi(std::string_view utf8) const override;
  std::string ansiToUtf8(std::string_view ansi) const override;
};

// UTF-8 decoding helpers shared by the codecs.
char32_t nextCodePoint(std::string_view s, std::size_t& i);  // U+FFFD for malformed input
void appendUtf8(std::string& out, char32_t cp);

}  // namespace quenmark
