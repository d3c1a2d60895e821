#pragma once

#include "platform/text_codec.h"

namespace quenmark::win32 {

// The machine's real ANSI code page (CP_ACP).
class AnsiCodec final : public TextCodec {
 public:
  std::string utf8ToAnsi(std::string_view utf8) const override;
  std::string ansiToUtf8(std::string_view ansi) const override;
};

}  // namespace quenmark::win32
