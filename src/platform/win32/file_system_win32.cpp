#include "platform/win32/file_system_win32.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/handles.h"
#include "platform/win32/text_win32.h"

namespace quenmark::win32 {
namespace {

SysError errorOf(DWORD code) { return SysError{code, errorDescription(code)}; }
SysError lastError() { return errorOf(GetLastError()); }

std::wstring folderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return L".";
  if (slash == 2 && path[1] == L':') return path.substr(0, 3);  // "c:\x" lives in "c:\"
  return path.substr(0, slash);
}

// WriteFile and ReadFile take a DWORD count; larger texts go in pieces.
constexpr std::size_t kChunk = 1u << 30;

// Others may write, rename or delete the file while it is read.
HANDLE openForReading(const std::string& path) {
  return CreateFileW(widen(path).c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::vector<std::string> Win32FileSystem::find(const std::string& pattern,
                                               std::uint32_t mask) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  UniqueFind search(FindFirstFileW(widen(pattern).c_str(), &fd));
  if (!search.valid()) return names;
  constexpr DWORD kFiltered =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  do {
    const std::wstring_view name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (fd.dwFileAttributes & kFiltered & ~mask) continue;
    names.push_back(narrow(name));
  } while (FindNextFileW(search.get(), &fd));
  return names;
}

Result<std::string> Win32FileSystem::readFile(const std::string& path) const {
  UniqueFile file(openForReading(path));
  if (!file.valid()) return lastError();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return lastError();
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return lastError();
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

Result<std::string> Win32FileSystem::readFilePart(const std::string& path, std::uint64_t offset,
                                                  std::size_t size) const {
  UniqueFile file(openForReading(path));
  if (!file.valid()) return lastError();
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return lastError();
  std::string bytes(size, '\0');
  std::size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(std::min(size - done, kChunk));
    if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) return lastError();
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

Status Win32FileSystem::replaceFile(const std::string& path, std::string_view bytes) {
  const std::wstring target = widen(path);
  // Windows will not move a file over a read-only one, and Wine will; refuse it up front so
  // that the old file survives on both.
  const DWORD existing = GetFileAttributesW(target.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return errorOf(ERROR_ACCESS_DENIED);
  wchar_t temp[MAX_PATH];
  // In the target's folder, so that the final move is a rename on one volume.
  if (!GetTempFileNameW(folderOf(target).c_str(), L"qm", 0, temp)) return lastError();
  auto fail = [&](DWORD code) -> Status {
    DeleteFileW(temp);
    return errorOf(code);
  };

  UniqueFile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
  if (!file.valid()) return fail(GetLastError());
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
      const DWORD code = wrote == 0 && GetLastError() == 0 ? ERROR_WRITE_FAULT : GetLastError();
      file.reset();
      return fail(code);
    }
    done += wrote;
  }
  if (!FlushFileBuffers(file.get())) {
    const DWORD code = GetLastError();
    file.reset();
    return fail(code);
  }
  if (!file.reset()) return fail(GetLastError());
  if (!MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return fail(GetLastError());
  return std::nullopt;
}

Status Win32FileSystem::deleteFile(const std::string& path) {
  if (!DeleteFileW(widen(path).c_str())) return lastError();
  return std::nullopt;
}

bool Win32FileSystem::directoryExists(const std::string& path) const {
  const DWORD a = GetFileAttributesW(widen(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

Status Win32FileSystem::createDirectory(const std::string& path) {
  if (!CreateDirectoryW(widen(path).c_str(), nullptr)) return lastError();
  return std::nullopt;
}

}  // namespace quenmark::win32
