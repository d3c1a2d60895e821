#include "platform/win32/version_info_win32.h"

#include <vector>

#include "platform/win32/module_path_win32.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

// Four lower-case hex digits, as the string table names are written.
std::wstring hex4(WORD v) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring out(4, L'0');
  for (int i = 3; i >= 0; --i, v = static_cast<WORD>(v >> 4))
    out[static_cast<std::size_t>(i)] = kDigits[v & 0xF];
  return out;
}

}  // namespace

FileVersionInfo::FileVersionInfo() : path_(runningModulePathW()) {}

FileVersionInfo::FileVersionInfo(const std::string& path) : path_(widen(path)) {}

namespace {

std::vector<BYTE> versionBlock(const std::wstring& path) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  return block;
}

}  // namespace

ProgramVersion FileVersionInfo::version() const {
  std::vector<BYTE> block = versionBlock(path_);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT bytes = 0;
  if (block.empty() ||
      !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &bytes) ||
      bytes < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS)};
}

std::string FileVersionInfo::field(const std::string& name) const {
  std::vector<BYTE> block = versionBlock(path_);
  if (block.empty()) return {};

  // The first language and code page of the translation table name the string table.
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* table = nullptr;
  UINT tableBytes = 0;
  std::wstring language = L"040904b0";
  if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&table),
                     &tableBytes) &&
      tableBytes >= sizeof(Translation)) {
    language = hex4(table[0].language) + hex4(table[0].codePage);
  }

  wchar_t* text = nullptr;
  UINT chars = 0;
  std::wstring query = L"\\StringFileInfo\\" + language + L"\\" + widen(name);
  if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &chars) ||
      text == nullptr) {
    return {};
  }
  std::wstring value(text, chars);
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return narrow(value);
}

}  // namespace quenmark::win32
